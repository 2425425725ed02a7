#include "platform/data/content_digest.h"

#include "platform/data/errors.h"
#include "platform/data/file_open.h"
#include "platform/core/system_handles.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <vector>

namespace data {

namespace {

// Header fields (offset, length) left out of the digest: the change counter, the user version that
// holds the digest, the application id that holds the mark, and the version-valid-for number and
// engine version that every commit writes.
constexpr std::pair<int, int> kVolatile[] = {{24, 4}, {60, 4}, {68, 4}, {92, 8}};
constexpr int kHeaderSize = 100;

// Eight tables, so that eight bytes are folded in at a time.
using Tables = std::array<std::array<uint32_t, 256>, 8>;

const Tables& tables() {
    static const Tables t = [] {
        Tables t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[0][i] = c;
        }
        for (uint32_t i = 0; i < 256; ++i)
            for (int k = 1; k < 8; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
        return t;
    }();
    return t;
}

uint32_t bigEndian(const unsigned char* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

std::array<unsigned char, kHeaderSize> readHeader(const std::wstring& file, const Deadline& deadline) {
    std::array<unsigned char, kHeaderSize> header{};
    core::FileHandle h = openToRead(file, deadline);
    DWORD read = 0;
    if (!ReadFile(h.get(), header.data(), kHeaderSize, &read, nullptr) || read != kHeaderSize)
        fail(err::FileError, L"The database file cannot be read", file);
    return header;
}

void putBigEndian(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (24 - 8 * i));
}

} // namespace

uint32_t crc32(uint32_t crc, const unsigned char* bytes, size_t size) {
    const Tables& t = tables();
    crc = ~crc;
    while (size >= 8) {
        const uint32_t a = crc ^ (uint32_t(bytes[0]) | (uint32_t(bytes[1]) << 8) |
                                  (uint32_t(bytes[2]) << 16) | (uint32_t(bytes[3]) << 24));
        crc = t[7][a & 0xFF] ^ t[6][(a >> 8) & 0xFF] ^ t[5][(a >> 16) & 0xFF] ^ t[4][a >> 24] ^
              t[3][bytes[4]] ^ t[2][bytes[5]] ^ t[1][bytes[6]] ^ t[0][bytes[7]];
        bytes += 8;
        size -= 8;
    }
    while (size--) crc = t[0][(crc ^ *bytes++) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t contentDigest(const std::wstring& file, const Deadline& deadline) {
    core::FileHandle h = openToRead(file, deadline);
    std::vector<unsigned char> block(1 << 20);
    uint32_t crc = 0;
    bool first = true;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(h.get(), block.data(), static_cast<DWORD>(block.size()), &read, nullptr))
            fail(err::FileError, L"The database file cannot be read", file);
        if (read == 0) break;
        if (first) {
            if (read < kHeaderSize) fail(err::NotADatabase, L"The database file is truncated", file);
            for (auto [offset, length] : kVolatile)
                for (int i = 0; i < length; ++i) block[offset + i] = 0;
            first = false;
        }
        crc = crc32(crc, block.data(), read);
    }
    return crc;
}

void sealContent(const std::wstring& file) {
    const uint32_t digest = contentDigest(file);
    core::FileHandle h(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) fail(err::FileError, L"The database file cannot be written", file);
    unsigned char fields[12] = {};
    putBigEndian(fields, digest);
    putBigEndian(fields + 8, kDigestMark);
    DWORD written = 0;
    unsigned char header[kHeaderSize];
    DWORD read = 0;
    // Bytes 64 to 67 (the incremental-vacuum flag) lie between the two fields and are kept.
    SetFilePointer(h.get(), 0, nullptr, FILE_BEGIN);
    if (!ReadFile(h.get(), header, kHeaderSize, &read, nullptr) || read != kHeaderSize)
        fail(err::FileError, L"The database file cannot be read", file);
    std::copy(header + 64, header + 68, fields + 4);
    SetFilePointer(h.get(), 60, nullptr, FILE_BEGIN);
    if (!WriteFile(h.get(), fields, sizeof fields, &written, nullptr) || written != sizeof fields)
        fail(err::FileError, L"The database file cannot be written", file);
}

void checkContent(const std::wstring& file, const Deadline& deadline) {
    const auto header = readHeader(file, deadline);
    const uint32_t mark = bigEndian(&header[68]);
    if (mark == 0) return;
    if (mark != kDigestMark || contentDigest(file, deadline) != bigEndian(&header[60]))
        fail(err::NotADatabase, L"The database file is damaged", file);
}

} // namespace data
