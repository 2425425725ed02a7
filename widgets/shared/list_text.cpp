#include "widgets/shared/list_text.h"

#include "platform/core/runtime_error.h"
#include "platform/forms/functions.h"

#include <windows.h>

namespace widgets {

bool IsDelim(const std::wstring& ch) {
    if (ch.empty()) throw core::RuntimeError(core::err::InvalidProcedureCall);
    char ansi[4] = {};
    WideCharToMultiByte(CP_ACP, 0, ch.c_str(), 1, ansi, sizeof ansi, nullptr, nullptr);
    const int code = static_cast<unsigned char>(ansi[0]);
    return !((code >= 65 && code <= 90) || code == 95 || (code >= 97 && code <= 122));
}

std::vector<std::wstring> SplitToLines(const std::wstring& source, long length, bool filterLines,
                                       const std::function<float(const std::wstring&)>& textWidth,
                                       bool (*isDelim)(const std::wstring&)) {
    const std::wstring text = filterLines ? forms::Replace(source, L"\r\n", L"") : source;
    std::vector<std::wstring> lines;
    std::wstring line;
    long breakAt = 0, consumed = 0;
    const long last = static_cast<long>(text.size());
    for (long i = 1; i <= last; ++i) {
        const std::wstring ch(1, text[static_cast<std::size_t>(i - 1)]);
        if (isDelim(ch)) breakAt = i - (consumed + 1);
        if (i != last && textWidth(line + ch) >= static_cast<float>(length)) {
            if (breakAt == 0) breakAt = i - (consumed + 1);
            lines.push_back(forms::Trim(line.substr(0, static_cast<std::size_t>(breakAt))));
            line.erase(0, static_cast<std::size_t>(breakAt));
            consumed += breakAt;
            breakAt = 0;
        }
        if (i != last)
            line += ch;
        else
            // The blank before a one-letter last word stays ("vitamin a").
            lines.push_back(forms::LTrim(line + ch));
    }
    return lines;
}

} // namespace widgets
