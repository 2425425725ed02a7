#pragma once

#include <cstdint>
#include <string>

namespace data {

// What a database file keeps of its password: a salt, a number of rounds and the PBKDF2-SHA256
// key derived from the password (both as lower-case hex). The password itself is not stored.
struct PasswordRecord {
    std::string salt;
    int32_t rounds = 0;
    std::string hash;
};

inline constexpr int32_t kPasswordRounds = 20000;

// PBKDF2-SHA256 of the UTF-8 password with the salt (hex), 32 bytes as hex. Throws
// core::RuntimeError when the system's crypto library fails.
std::string derivePasswordKey(const std::wstring& password, const std::string& saltHex, int32_t rounds);

// A record for the password. The salt is made from the seed (a database's name), so that building
// a file twice gives the same bytes; it still differs from file to file.
PasswordRecord makePasswordRecord(const std::wstring& password, const std::wstring& seed,
                                  int32_t rounds = kPasswordRounds);

// True when the record is one this program writes: the builder's rounds (up to ten times as many,
// room for a stronger setting later), a salt of 16 to 64 bytes and a 32-byte hash, all in hex.
// Anything else is refused before deriving, so a hostile record cannot keep the program busy.
bool plausiblePasswordRecord(const PasswordRecord& record);

// True when the password matches the record. A derivation already made in this process for the
// same salt, rounds and password is reused, since the forms open a database for every look-up.
bool passwordMatches(const std::wstring& password, const PasswordRecord& record);

} // namespace data
