#pragma once

#include <string>
#include <vector>

namespace tools {

// One article of a dictd dictionary: its headword as the index gives it and its text.
struct DictdEntry {
    std::wstring headword;
    std::wstring text;
};

// The number a dictd index writes in its own base-64 digits (A-Z a-z 0-9 + /, most significant
// first). Returns -1 for a character outside the alphabet.
long long decodeDictdNumber(const std::string& digits);

// Reads a dictionary from its index and its gzip-compressed data (".dict.dz"; a plain ".dict" is
// read as it is). The "00database..." articles that describe the dictionary itself are left out.
// Throws std::runtime_error naming the file on any failure.
std::vector<DictdEntry> readDictd(const std::wstring& indexFile, const std::wstring& dataFile);

// Decompresses gzip data (one or more members); throws std::runtime_error when it is damaged.
std::string gunzip(const std::string& compressed);

// The whole file as bytes; throws std::runtime_error naming it when it cannot be read.
std::string readFileBytes(const std::wstring& path);

// Reads the dictionaries of a folder by name ("freedict-eng-tur" for freedict-eng-tur.index and
// .dict.dz). Throws std::runtime_error naming the Debian package of the first one missing before it
// reads any.
class DictdFolder {
public:
    DictdFolder(const std::wstring& folder, const std::vector<std::wstring>& names);
    std::vector<DictdEntry> read(const std::wstring& name) const;

private:
    std::wstring base_;
};

} // namespace tools
