#pragma once

#include <string>

namespace data {

// The trigram index answers "like" from runs of three or more characters between the wildcards,
// but it measures runs in UTF-8 bytes: a run of one or two characters that takes three or more
// bytes (two Cyrillic letters, one emoji) is looked up as a trigram it can never hold and finds
// nothing. For each "<column> like '<pattern>'" with such a run, the column is written "+<column>",
// which keeps the index out of that comparison, so it is made row by row as on a plain table.
// Other queries come back unchanged.
std::wstring likeWithoutShortRuns(const std::wstring& sql);

} // namespace data
