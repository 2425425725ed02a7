#include "tools/dictd.h"
#include "platform/core/system_handles.h"
#include "platform/core/text.h"

#include "platform/data/text.h"

#include <windows.h>
#include <zlib.h>

#include <limits>
#include <stdexcept>

namespace tools {

namespace {

std::runtime_error failure(const std::string& what, const std::wstring& file) {
    return std::runtime_error(what + ": " + core::toUtf8(file));
}

} // namespace

std::string readFileBytes(const std::wstring& path) {
    core::FileHandle h(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!h) throw failure("cannot open", path);
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        DWORD read = 0;
        // A read that fails part-way must not pass for the end of a shorter file.
        if (!ReadFile(h.get(), buffer, sizeof buffer, &read, nullptr)) throw failure("cannot read", path);
        if (read == 0) return bytes;
        bytes.append(buffer, read);
    }
}

long long decodeDictdNumber(const std::string& digits) {
    long long value = 0;
    for (char c : digits) {
        int d;
        if (c >= 'A' && c <= 'Z')
            d = c - 'A';
        else if (c >= 'a' && c <= 'z')
            d = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            d = c - '0' + 52;
        else if (c == '+')
            d = 62;
        else if (c == '/')
            d = 63;
        else
            return -1;
        // A number too long for any file is as malformed as a wrong letter.
        if (value > (std::numeric_limits<long long>::max() - d) / 64) return -1;
        value = value * 64 + d;
    }
    return value;
}

std::string gunzip(const std::string& compressed) {
    std::string out;
    z_stream zs{};
    if (inflateInit2(&zs, 16 + MAX_WBITS) != Z_OK) throw std::runtime_error("zlib cannot start");
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    zs.avail_in = static_cast<uInt>(compressed.size());
    char buffer[1 << 16];
    for (;;) {
        zs.next_out = reinterpret_cast<Bytef*>(buffer);
        zs.avail_out = sizeof buffer;
        int rc = inflate(&zs, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - zs.avail_out);
        if (rc == Z_STREAM_END) {
            if (zs.avail_in == 0) break;
            inflateReset(&zs); // another gzip member follows
            continue;
        }
        if (rc != Z_OK) {
            inflateEnd(&zs);
            throw std::runtime_error("damaged compressed data");
        }
        if (zs.avail_in == 0 && zs.avail_out != 0) {
            inflateEnd(&zs);
            throw std::runtime_error("compressed data ends early");
        }
    }
    inflateEnd(&zs);
    return out;
}

std::vector<DictdEntry> readDictd(const std::wstring& indexFile, const std::wstring& dataFile) {
    std::string index = readFileBytes(indexFile);
    std::string raw = readFileBytes(dataFile);
    std::string text;
    bool compressed = raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0x1f &&
                      static_cast<unsigned char>(raw[1]) == 0x8b;
    if (compressed) {
        try {
            text = gunzip(raw);
        } catch (const std::runtime_error& e) {
            throw failure(e.what(), dataFile);
        }
    } else {
        text = std::move(raw);
    }

    std::vector<DictdEntry> entries;
    size_t pos = 0;
    while (pos < index.size()) {
        size_t end = index.find('\n', pos);
        if (end == std::string::npos) end = index.size();
        std::string line = index.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        size_t t1 = line.find('\t');
        size_t t2 = t1 == std::string::npos ? t1 : line.find('\t', t1 + 1);
        if (t2 == std::string::npos) throw failure("malformed index line \"" + line + "\"", indexFile);
        size_t t3 = line.find('\t', t2 + 1);
        std::string word = line.substr(0, t1);
        long long offset = decodeDictdNumber(line.substr(t1 + 1, t2 - t1 - 1));
        long long length = decodeDictdNumber(line.substr(t2 + 1, t3 == std::string::npos ? t3 : t3 - t2 - 1));
        if (offset < 0 || length < 0 || static_cast<unsigned long long>(offset + length) > text.size())
            throw failure("index points outside the data \"" + line + "\"", indexFile);
        if (word.rfind("00database", 0) == 0 || word.rfind("00-database", 0) == 0) continue;
        entries.push_back({core::fromUtf8(word), core::fromUtf8(text.substr(offset, length))});
    }
    return entries;
}

DictdFolder::DictdFolder(const std::wstring& folder, const std::vector<std::wstring>& names) : base_(folder) {
    if (!base_.empty() && base_.back() != L'\\' && base_.back() != L'/') base_ += L'\\';
    for (const auto& name : names) {
        const std::wstring index = base_ + name + L".index";
        if (GetFileAttributesW(index.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        // Debian's packages: mueller7-dict, dict-freedict-eng-tur and so on.
        const std::string package =
            name.rfind(L"freedict-", 0) == 0 ? "dict-" + core::toUtf8(name) : core::toUtf8(name) + "-dict";
        throw std::runtime_error("the dictionary package " + package + " is not installed (missing " +
                                 core::toUtf8(index) + ")");
    }
}

std::vector<DictdEntry> DictdFolder::read(const std::wstring& name) const {
    return readDictd(base_ + name + L".index", base_ + name + L".dict.dz");
}

} // namespace tools
