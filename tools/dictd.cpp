#include "tools/dictd.h"
#include "platform/core/system_handles.h"
#include "platform/core/text.h"

#include "platform/data/file_open.h"
#include "platform/data/text.h"

#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace tools {

namespace {

std::string because(DWORD error) {
    return " (" + core::toUtf8(data::systemMessage(error)) + ")";
}

} // namespace

DictdError::DictdError(const std::string& fault, const std::wstring& file, bool damaged)
    : std::runtime_error(fault + ": " + core::toUtf8(file)), fault_(fault), file_(file), damaged_(damaged) {}

std::string readFileBytes(const std::wstring& path) {
    core::FileHandle h(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!h) throw DictdError("cannot open" + because(GetLastError()), path, false);
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        DWORD read = 0;
        // A read that fails part-way must not pass for the end of a shorter file.
        if (!ReadFile(h.get(), buffer, sizeof buffer, &read, nullptr))
            throw DictdError("cannot read" + because(GetLastError()), path, false);
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

namespace {

// The bytes of the UTF-8 sequence a byte starts, 0 for a byte that starts none.
size_t sequenceLength(unsigned char b) {
    if (b < 0x80) return 1;
    if (b < 0xC2) return 0;
    if (b < 0xE0) return 2;
    if (b < 0xF0) return 3;
    return b < 0xF5 ? 4 : 0;
}

bool validUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const size_t need = sequenceLength(static_cast<unsigned char>(text[i]));
        if (need == 0 || i + need > text.size()) return false;
        for (size_t k = 1; k < need; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += need;
    }
    return true;
}

// The text of the data file, unpacked when it is compressed, as its name says it is.
std::string dataText(const std::wstring& dataFile) {
    std::string raw = readFileBytes(dataFile);
    if (raw.empty()) throw DictdError("the data is empty", dataFile, true);
    const bool compressed = dataFile.size() > 3 && dataFile.compare(dataFile.size() - 3, 3, L".dz") == 0;
    if (!compressed) return raw;
    if (raw.size() < 2 || static_cast<unsigned char>(raw[0]) != 0x1f ||
        static_cast<unsigned char>(raw[1]) != 0x8b)
        throw DictdError("the data is not compressed as dictd data is", dataFile, true);
    try {
        return gunzip(raw);
    } catch (const std::runtime_error& e) {
        throw DictdError(e.what(), dataFile, true);
    }
}

} // namespace

std::vector<DictdEntry> readDictd(const std::wstring& indexFile, const std::wstring& dataFile) {
    const std::string index = readFileBytes(indexFile);
    const std::string text = dataText(dataFile);
    auto damage = [&](const std::string& fault) { return DictdError(fault, indexFile, true); };
    if (index.empty()) throw damage("the index is empty");
    // Every line of an index ends; a file cut at any other byte loses that end.
    if (index.back() != '\n') throw damage("the index is cut short (its last line has no end)");

    std::vector<DictdEntry> entries;
    // Where each article lies: together they cover the data, so a line lost leaves a gap.
    std::vector<std::pair<long long, long long>> spans;
    size_t pos = 0;
    for (size_t number = 1; pos < index.size(); ++number) {
        size_t end = index.find('\n', pos);
        std::string_view line(index.data() + pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        std::vector<std::string_view> fields;
        for (size_t from = 0;;) {
            size_t tab = line.find('\t', from);
            fields.push_back(line.substr(from, tab == std::string_view::npos ? tab : tab - from));
            if (tab == std::string_view::npos) break;
            from = tab + 1;
        }
        const std::string at = "index line " + std::to_string(number);
        // A fourth field, where there is one, keeps the headword as the source wrote it.
        if (fields.size() < 3 || fields.size() > 4 || !validUtf8(line)) throw damage(at + " is malformed");
        const long long offset = decodeDictdNumber(std::string(fields[1]));
        const long long length = decodeDictdNumber(std::string(fields[2]));
        if (offset < 0 || length < 0) throw damage(at + " is malformed");
        if (static_cast<unsigned long long>(offset) + static_cast<unsigned long long>(length) > text.size())
            throw damage(at + " points past the end of the data (" + std::to_string(text.size()) + " bytes)");
        spans.emplace_back(offset, offset + length);
        const std::string_view word = fields[0];
        if (word.rfind("00database", 0) == 0 || word.rfind("00-database", 0) == 0) continue;
        entries.push_back(
            {core::fromUtf8(word), core::fromUtf8(std::string_view(text).substr(offset, length))});
    }
    std::sort(spans.begin(), spans.end());
    long long covered = 0;
    for (const auto& [from, to] : spans) {
        if (from > covered) break;
        covered = std::max(covered, to);
    }
    if (covered < static_cast<long long>(text.size()))
        throw damage("the index is cut short: no line points into the data from byte " +
                     std::to_string(covered) + " on");
    return entries;
}

namespace {

// Debian's packages: mueller7-dict, dict-freedict-eng-tur and so on.
std::string packageOf(const std::wstring& name) {
    return name.rfind(L"freedict-", 0) == 0 ? "dict-" + core::toUtf8(name) : core::toUtf8(name) + "-dict";
}

} // namespace

DictdFolder::DictdFolder(const std::wstring& folder, const std::vector<std::wstring>& names) : base_(folder) {
    if (!base_.empty() && base_.back() != L'\\' && base_.back() != L'/') base_ += L'\\';
    for (const auto& name : names)
        for (const wchar_t* part : {L".index", L".dict.dz"}) {
            const std::wstring file = base_ + name + part;
            if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES)
                throw std::runtime_error("the dictionary package " + packageOf(name) +
                                         " is not installed (missing " + core::toUtf8(file) + ")");
        }
}

std::vector<DictdEntry> DictdFolder::read(const std::wstring& name) const {
    try {
        return readDictd(base_ + name + L".index", base_ + name + L".dict.dz");
    } catch (const DictdError& e) {
        const std::string package = packageOf(name);
        if (!e.damaged())
            throw std::runtime_error("the dictionary package " + package + " cannot be read: " + e.what());
        throw std::runtime_error("the dictionary package " + package +
                                 " is damaged: " + core::toUtf8(e.file()) + ": " + e.fault() +
                                 ". Reinstalling it mends it (apt-get install --reinstall " + package + ").");
    }
}

} // namespace tools
