#include "platform/data/password.h"

#include "platform/core/late_bound.h"
#include "platform/core/text.h"
#include "platform/data/text.h"
#include "platform/core/runtime_error.h"

#include <windows.h>
#include <bcrypt.h>

#include <map>
#include <mutex>
#include <tuple>
#include <vector>

namespace data {

namespace {

std::string toHex(const std::vector<unsigned char>& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::vector<unsigned char> fromHex(const std::string& hex) {
    std::vector<unsigned char> out;
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        int hi = value(hex[i]), lo = value(hex[i + 1]);
        if (hi < 0 || lo < 0) return {};
        out.push_back(static_cast<unsigned char>(hi * 16 + lo));
    }
    return out;
}

std::vector<unsigned char> pbkdf2(const std::string& password, const std::vector<unsigned char>& salt,
                                  int32_t rounds, size_t length) {
    static const core::LateBound<decltype(BCryptOpenAlgorithmProvider)> open{L"bcrypt.dll",
                                                                             "BCryptOpenAlgorithmProvider"};
    static const core::LateBound<decltype(BCryptDeriveKeyPBKDF2)> derive{L"bcrypt.dll",
                                                                         "BCryptDeriveKeyPBKDF2"};
    static const core::LateBound<decltype(BCryptCloseAlgorithmProvider)> close{
        L"bcrypt.dll", "BCryptCloseAlgorithmProvider"};
    // All three before the provider is opened, so that it is always closed again.
    open.require();
    derive.require();
    close.require();
    BCRYPT_ALG_HANDLE alg = nullptr;
    NTSTATUS status = open(&alg, BCRYPT_SHA256_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG);
    if (status < 0)
        throw core::RuntimeError(core::err::InvalidProcedureCall,
                                 L"The system's crypto library cannot derive the password key");
    std::vector<unsigned char> key(length);
    std::vector<unsigned char> pw(password.begin(), password.end());
    std::vector<unsigned char> saltCopy = salt;
    status = derive(alg, pw.empty() ? nullptr : pw.data(), static_cast<ULONG>(pw.size()),
                    saltCopy.empty() ? nullptr : saltCopy.data(), static_cast<ULONG>(saltCopy.size()),
                    static_cast<ULONGLONG>(rounds), key.data(), static_cast<ULONG>(key.size()), 0);
    close(alg, 0);
    if (status < 0)
        throw core::RuntimeError(core::err::InvalidProcedureCall,
                                 L"The system's crypto library cannot derive the password key");
    return key;
}

} // namespace

std::string derivePasswordKey(const std::wstring& password, const std::string& saltHex, int32_t rounds) {
    return toHex(pbkdf2(core::toUtf8(password), fromHex(saltHex), rounds, 32));
}

PasswordRecord makePasswordRecord(const std::wstring& password, const std::wstring& seed, int32_t rounds) {
    PasswordRecord record;
    std::vector<unsigned char> fixedSalt{'v', 'e', 'x', 'a'};
    record.salt = toHex(pbkdf2(core::toUtf8(seed), fixedSalt, 1, 16));
    record.rounds = rounds;
    record.hash = derivePasswordKey(password, record.salt, rounds);
    return record;
}

bool plausiblePasswordRecord(const PasswordRecord& record) {
    auto isHex = [](const std::string& s) {
        for (char c : s)
            if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return false;
        return true;
    };
    return record.rounds >= kPasswordRounds && record.rounds <= 10 * kPasswordRounds &&
           record.salt.size() >= 32 && record.salt.size() <= 128 && record.salt.size() % 2 == 0 &&
           isHex(record.salt) && record.hash.size() == 64 && isHex(record.hash);
}

bool passwordMatches(const std::wstring& password, const PasswordRecord& record) {
    if (!plausiblePasswordRecord(record)) return false;
    static std::mutex lock;
    static std::map<std::tuple<std::string, int32_t, std::wstring>, std::string> known;
    std::string derived;
    auto key = std::make_tuple(record.salt, record.rounds, password);
    {
        std::lock_guard<std::mutex> guard(lock);
        auto it = known.find(key);
        if (it != known.end()) derived = it->second;
    }
    if (derived.empty()) {
        derived = derivePasswordKey(password, record.salt, record.rounds);
        std::lock_guard<std::mutex> guard(lock);
        if (known.size() > 64) known.clear();
        known.emplace(key, derived);
    }
    // Compared in full whatever the first difference, so the time tells nothing.
    unsigned diff = 0;
    for (size_t i = 0; i < derived.size(); ++i)
        diff |= static_cast<unsigned char>(derived[i]) ^ static_cast<unsigned char>(record.hash[i]);
    return diff == 0 && derived.size() == record.hash.size();
}

} // namespace data
