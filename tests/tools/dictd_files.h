#pragma once
// Small dictd dictionaries written for a test: an index and its gzip-compressed data.
#include "platform/core/text.h"
#include "platform/data/data_fixture.h"

#include <zlib.h>

#include <string>
#include <utility>
#include <vector>

namespace toolstest {

inline std::string gzip(const std::string& text) {
    z_stream zs{};
    deflateInit2(&zs, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&zs, static_cast<uLong>(text.size())) + 64, '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    zs.avail_in = static_cast<uInt>(text.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = static_cast<uInt>(out.size());
    deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return out;
}

// A number in the index's base-64 digits.
inline std::string dictdNumber(long long n) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    do {
        out.insert(out.begin(), digits[n % 64]);
        n /= 64;
    } while (n > 0);
    return out;
}

using Articles = std::vector<std::pair<std::wstring, std::wstring>>;

// Writes <name>.index and <name>.dict.dz into a folder from (headword, article) pairs, UTF-8, after
// the article that describes the dictionary.
inline void writeDictd(const datatest::TempFolder& folder, const std::wstring& name,
                       const Articles& articles) {
    std::string text = "00-database-info\nA dictionary made for a test.\n";
    std::string index = "00databaseinfo\tA\t" + dictdNumber(static_cast<long long>(text.size())) + "\n";
    for (const auto& [word, article] : articles) {
        std::string bytes = core::toUtf8(article);
        index += core::toUtf8(word) + "\t" + dictdNumber(static_cast<long long>(text.size())) + "\t" +
                 dictdNumber(static_cast<long long>(bytes.size())) + "\n";
        text += bytes;
    }
    datatest::writeBytes(folder.file(name + L".index"), index);
    datatest::writeBytes(folder.file(name + L".dict.dz"), gzip(text));
}

} // namespace toolstest
