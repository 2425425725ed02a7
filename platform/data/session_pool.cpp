#include "platform/data/session_pool.h"

#include "platform/data/database.h"
#include "platform/data/text.h"

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <set>
#include <vector>

namespace data {

namespace {

struct Kept {
    std::wstring identity;
    std::wstring password;
    std::shared_ptr<Database> session;
    ULONGLONG since = 0;
};

constexpr size_t kMaxKept = 8;

std::mutex gLock;
std::vector<Kept> gKept;
int gLifetime = 30000;
std::set<std::wstring> gChecked; // identity + NUL + password

std::wstring time(const FILETIME& t) {
    return std::to_wstring(t.dwHighDateTime) + L":" + std::to_wstring(t.dwLowDateTime);
}

// Drops what has been kept too long. The sessions are closed by the caller, outside the lock.
void expire(std::vector<std::shared_ptr<Database>>& closing) {
    const ULONGLONG now = GetTickCount64();
    auto old = std::remove_if(gKept.begin(), gKept.end(), [&](Kept& k) {
        if (now - k.since < static_cast<ULONGLONG>(gLifetime)) return false;
        closing.push_back(std::move(k.session));
        return true;
    });
    gKept.erase(old, gKept.end());
}

} // namespace

std::wstring fileIdentity(const std::wstring& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return {};
    wchar_t full[MAX_PATH * 2];
    DWORD n = GetFullPathNameW(file.c_str(), MAX_PATH * 2, full, nullptr);
    std::wstring name = lowerCase(n && n < MAX_PATH * 2 ? std::wstring(full, n) : file);
    return name + L"|" + std::to_wstring(data.dwFileAttributes) + L"|" + std::to_wstring(data.nFileSizeHigh) +
           L":" + std::to_wstring(data.nFileSizeLow) + L"|" + time(data.ftCreationTime) + L"|" +
           time(data.ftLastWriteTime);
}

namespace sessionPool {

std::shared_ptr<Database> take(const std::wstring& file, const std::wstring& password) {
    std::vector<std::shared_ptr<Database>> closing;
    std::shared_ptr<Database> found;
    const std::wstring identity = fileIdentity(file);
    {
        std::lock_guard<std::mutex> guard(gLock);
        expire(closing);
        for (size_t i = 0; i < gKept.size();) {
            Kept& k = gKept[i];
            if (lowerCase(k.session->file()) != lowerCase(file)) {
                ++i;
                continue;
            }
            if (identity.empty() || k.identity != identity) {
                // The file changed or went since the session was opened: the session is stale.
                closing.push_back(std::move(k.session));
                gKept.erase(gKept.begin() + static_cast<long>(i));
                continue;
            }
            if (k.password != password) {
                ++i;
                continue;
            }
            found = std::move(k.session);
            gKept.erase(gKept.begin() + static_cast<long>(i));
            break;
        }
    }
    return found;
}

void give(std::shared_ptr<Database> session, const std::wstring& password) {
    if (!session || session->inTransaction()) return;
    std::vector<std::shared_ptr<Database>> closing;
    std::wstring identity = fileIdentity(session->file());
    std::lock_guard<std::mutex> guard(gLock);
    expire(closing);
    if (gLifetime <= 0 || identity.empty()) return;
    if (gKept.size() >= kMaxKept) {
        closing.push_back(std::move(gKept.front().session));
        gKept.erase(gKept.begin());
    }
    gKept.push_back({std::move(identity), password, std::move(session), GetTickCount64()});
}

void clear() {
    std::vector<Kept> closing;
    std::lock_guard<std::mutex> guard(gLock);
    closing.swap(gKept);
}

size_t size() {
    std::lock_guard<std::mutex> guard(gLock);
    return gKept.size();
}

int lifetime() {
    return gLifetime;
}

void setLifetime(int milliseconds) {
    {
        std::lock_guard<std::mutex> guard(gLock);
        gLifetime = milliseconds;
    }
    if (milliseconds <= 0) clear();
}

bool passwordChecked(const std::wstring& file, const std::wstring& password) {
    std::wstring identity = fileIdentity(file);
    std::lock_guard<std::mutex> guard(gLock);
    return !identity.empty() && gChecked.count(identity + L'\0' + password) > 0;
}

void notePasswordChecked(const std::wstring& file, const std::wstring& password) {
    std::wstring identity = fileIdentity(file);
    if (identity.empty()) return;
    std::lock_guard<std::mutex> guard(gLock);
    if (gChecked.size() > 64) gChecked.clear();
    gChecked.insert(identity + L'\0' + password);
}

} // namespace sessionPool

} // namespace data
