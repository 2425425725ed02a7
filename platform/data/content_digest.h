#pragma once

#include "platform/data/database.h"

#include <cstdint>
#include <string>

namespace data {

// A file the builder writes whole and the program only reads carries a digest of its bytes in its
// header: the application id holds the mark below and the user version the digest, a CRC-32 of the
// file with the header fields that storing it (or any commit) changes taken as zero. Any change to
// the file's rows, its index or its free space then shows, which the engine's own page check does
// not see.
inline constexpr uint32_t kDigestMark = 0x56455841; // "VEXA"

// The digest of the file's bytes as it is now. Throws RuntimeError when it cannot be read; a file
// another program holds without sharing is waited for until the deadline.
uint32_t contentDigest(const std::wstring& file, const Deadline& deadline = Deadline());

// Stores the mark and the digest in the header of a finished, closed file (the builder's last step).
void sealContent(const std::wstring& file);

// Checks a file against the digest it carries: nothing for a file without the mark (a settings file,
// which the program writes); a file whose mark is damaged or whose bytes no longer give the stored
// digest is a damaged database (err::NotADatabase).
void checkContent(const std::wstring& file, const Deadline& deadline);

// CRC-32 (the polynomial of zip and PNG) of a block, continuing from crc (0 to start).
uint32_t crc32(uint32_t crc, const unsigned char* bytes, size_t size);

} // namespace data
