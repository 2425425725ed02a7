#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tools {

// One article of a dictd dictionary: its headword as the index gives it and its text.
struct DictdEntry {
    std::wstring headword;
    std::wstring text;
};

// The number a dictd index writes in its own base-64 digits (A-Z a-z 0-9 + /, most significant
// first). Returns -1 for a character outside the alphabet. Declared here for the tests.
long long decodeDictdNumber(const std::string& digits);

// A dictionary file that cannot be used: the file and what is wrong with it. Damage is what a whole
// file never shows; otherwise the file could not be opened or read.
class DictdError : public std::runtime_error {
public:
    DictdError(const std::string& fault, const std::wstring& file, bool damaged);
    const std::string& fault() const { return fault_; }
    const std::wstring& file() const { return file_; }
    bool damaged() const { return damaged_; }

private:
    std::string fault_;
    std::wstring file_;
    bool damaged_;
};

// Reads a dictionary from its index and its gzip-compressed data (".dict.dz"; a plain ".dict" is
// read as it is). The "00database..." articles that describe the dictionary itself are left out.
// Throws DictdError naming the file at fault when one cannot be read, or is empty, damaged or cut
// short: data whose compression or checksum fails, an index line that is malformed, not UTF-8,
// without its end or pointing past the data, or an index that leaves part of the data to no
// headword (lines lost at its end or inside).
std::vector<DictdEntry> readDictd(const std::wstring& indexFile, const std::wstring& dataFile);

// Decompresses gzip data (one or more members); throws std::runtime_error when it is damaged.
std::string gunzip(const std::string& compressed);

// The whole file as bytes; throws DictdError naming it when it cannot be read.
std::string readFileBytes(const std::wstring& path);

// Reads the dictionaries of a folder by name ("freedict-eng-tur" for freedict-eng-tur.index and
// .dict.dz). Throws std::runtime_error naming the Debian package and the file: before it reads any,
// for the first file missing; when it reads one, for a file it cannot read or finds damaged.
class DictdFolder {
public:
    DictdFolder(const std::wstring& folder, const std::vector<std::wstring>& names);
    std::vector<DictdEntry> read(const std::wstring& name) const;

private:
    std::wstring base_;
};

} // namespace tools
