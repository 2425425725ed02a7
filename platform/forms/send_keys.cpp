#include "platform/forms/send_keys.h"

#include "platform/core/runtime_error.h"

#include <algorithm>
#include <cwctype>
#include <utility>

namespace forms {

namespace {

struct NamedKey {
    const wchar_t* name;
    WORD vk;
};
constexpr NamedKey namedKeys[] = {
    {L"BACKSPACE", VK_BACK},   {L"BS", VK_BACK},           {L"BKSP", VK_BACK},  {L"BREAK", VK_CANCEL},
    {L"CAPSLOCK", VK_CAPITAL}, {L"DELETE", VK_DELETE},     {L"DEL", VK_DELETE}, {L"DOWN", VK_DOWN},
    {L"END", VK_END},          {L"ENTER", VK_RETURN},      {L"ESC", VK_ESCAPE}, {L"HELP", VK_HELP},
    {L"HOME", VK_HOME},        {L"INSERT", VK_INSERT},     {L"INS", VK_INSERT}, {L"LEFT", VK_LEFT},
    {L"NUMLOCK", VK_NUMLOCK},  {L"PGDN", VK_NEXT},         {L"PGUP", VK_PRIOR}, {L"PRTSC", VK_SNAPSHOT},
    {L"RIGHT", VK_RIGHT},      {L"SCROLLLOCK", VK_SCROLL}, {L"TAB", VK_TAB},    {L"UP", VK_UP},
};

INPUT keyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

[[noreturn]] void malformed() {
    throw core::RuntimeError(core::err::InvalidProcedureCall);
}

class Parser {
public:
    explicit Parser(const std::wstring& text) : text_(text) {}

    std::vector<INPUT> run() {
        while (pos_ < text_.size()) item({});
        return std::move(out_);
    }

private:
    const std::wstring& text_;
    size_t pos_ = 0;
    std::vector<INPUT> out_;

    // One key or group, with the modifiers that the prefixes before it hold down.
    void item(std::vector<WORD> held) {
        while (pos_ < text_.size()) {
            const wchar_t c = text_[pos_];
            const WORD mod = c == L'+' ? VK_SHIFT : c == L'^' ? VK_CONTROL : c == L'%' ? VK_MENU : 0;
            if (!mod) break;
            held.push_back(mod);
            ++pos_;
        }
        if (pos_ >= text_.size()) malformed();
        const wchar_t c = text_[pos_];
        if (c == L'(') {
            ++pos_;
            press(held);
            while (pos_ < text_.size() && text_[pos_] != L')') item({});
            if (pos_ >= text_.size()) malformed();
            ++pos_;
            release(held);
            return;
        }
        if (c == L')' || c == L'}') malformed();
        if (c == L'{') {
            braced(held);
            return;
        }
        ++pos_;
        if (c == L'~')
            key(held, VK_RETURN, 1);
        else
            character(held, c, 1);
    }

    void braced(const std::vector<WORD>& held) {
        // "{}}" names the closing brace itself.
        size_t end = text_.find(L'}', pos_ + 2);
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] != L'}') end = text_.find(L'}', pos_ + 1);
        if (end == std::wstring::npos) malformed();
        std::wstring body = text_.substr(pos_ + 1, end - pos_ - 1);
        pos_ = end + 1;
        int count = 1;
        if (const size_t blank = body.find(L' '); blank != std::wstring::npos && blank > 0) {
            const std::wstring n = body.substr(blank + 1);
            if (n.empty() || n.find_first_not_of(L"0123456789") != std::wstring::npos) malformed();
            count = std::stoi(n);
            body.resize(blank);
        }
        if (body.empty()) malformed();
        if (body.size() == 1) {
            if (body[0] == L'~')
                key(held, VK_RETURN, count);
            else
                character(held, body[0], count);
            return;
        }
        std::wstring upper = body;
        for (wchar_t& ch : upper) ch = static_cast<wchar_t>(std::towupper(ch));
        for (const NamedKey& k : namedKeys)
            if (upper == k.name) return key(held, k.vk, count);
        if (upper[0] == L'F' && upper.size() <= 3 &&
            upper.find_first_not_of(L"0123456789", 1) == std::wstring::npos) {
            const int n = std::stoi(upper.substr(1));
            if (n >= 1 && n <= 16) return key(held, static_cast<WORD>(VK_F1 + n - 1), count);
        }
        malformed();
    }

    void press(const std::vector<WORD>& held) {
        for (WORD vk : held) out_.push_back(keyInput(vk, false));
    }
    void release(const std::vector<WORD>& held) {
        for (auto it = held.rbegin(); it != held.rend(); ++it) out_.push_back(keyInput(*it, true));
    }

    void key(const std::vector<WORD>& held, WORD vk, int count) {
        press(held);
        for (int i = 0; i < count; ++i) {
            out_.push_back(keyInput(vk, false));
            out_.push_back(keyInput(vk, true));
        }
        release(held);
    }

    void character(const std::vector<WORD>& held, wchar_t c, int count) {
        const SHORT scan = VkKeyScanW(c);
        if (scan == -1) {
            // Not on the keyboard: typed as the character itself.
            press(held);
            for (int i = 0; i < count; ++i) {
                INPUT down{};
                down.type = INPUT_KEYBOARD;
                down.ki.wScan = c;
                down.ki.dwFlags = KEYEVENTF_UNICODE;
                INPUT up = down;
                up.ki.dwFlags |= KEYEVENTF_KEYUP;
                out_.push_back(down);
                out_.push_back(up);
            }
            release(held);
            return;
        }
        std::vector<WORD> all = held;
        const int shifts = (scan >> 8) & 0xFF;
        auto need = [&](int bit, WORD vk) {
            if ((shifts & bit) && std::find(all.begin(), all.end(), vk) == all.end()) all.push_back(vk);
        };
        need(1, VK_SHIFT);
        need(2, VK_CONTROL);
        need(4, VK_MENU);
        key(all, static_cast<WORD>(scan & 0xFF), count);
    }
};

} // namespace

std::vector<INPUT> keyInputs(const std::wstring& keys) {
    return Parser(keys).run();
}

void SendKeys(const std::wstring& keys) {
    std::vector<INPUT> inputs = keyInputs(keys);
    if (inputs.empty()) return;
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

} // namespace forms
