#pragma once

#include <optional>
#include <string>

namespace data {

// What Connection.Open needs from a connection string: the file and its password.
struct ConnectionTarget {
    std::wstring file;     // separators normalised
    std::wstring password; // as written after "=", blanks at its ends dropped
};

// Reads "key=value" pairs separated by ";". Keys are compared without regard to case or to blanks
// around them ("Data Source", "Jet Oledb:Database Password "); a value may be quoted with " or ',
// the quote doubled inside it. Empty when there is no data source.
std::optional<ConnectionTarget> parseConnectionString(const std::wstring& text);

// A value as it must stand in a connection string: as it is, or in double quotes (each " doubled)
// when it holds a ";", begins with a quote or has blanks at its ends.
std::wstring connectionValue(const std::wstring& value);

// A search key as it may stand between the quotes of a "like '%...%'" pattern: each single quote
// doubled, so the key cannot end the quoted text early. "%" and "_" stay pattern characters.
std::wstring likeKey(const std::wstring& key);

} // namespace data
