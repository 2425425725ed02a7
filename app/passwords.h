#pragma once

namespace app {

// The passwords the two databases are opened with.
inline constexpr const wchar_t* kDictionaryPassword = L"pim407talo863grube";
inline constexpr const wchar_t* kSettingsPassword = L"47mivo582terobalk";

} // namespace app
