#include "widgets/shared/vni.h"

#include <array>

namespace widgets {

namespace {

// One row per vowel: the bare letter and then acute, grave, hook above, tilde, dot below.
struct ToneRow {
    wchar_t lower[6];
    wchar_t upper[6];
};

enum Row { A, Abreve, Acirc, E, Ecirc, I, O, Ocirc, Ohorn, U, Uhorn, Y, RowCount };

constexpr std::array<ToneRow, RowCount> kRows{{
    {{0x0061, 0x00E1, 0x00E0, 0x1EA3, 0x00E3, 0x1EA1}, {0x0041, 0x00C1, 0x00C0, 0x1EA2, 0x00C3, 0x1EA0}},
    {{0x0103, 0x1EAF, 0x1EB1, 0x1EB3, 0x1EB5, 0x1EB7}, {0x0102, 0x1EAE, 0x1EB0, 0x1EB2, 0x1EB4, 0x1EB6}},
    {{0x00E2, 0x1EA5, 0x1EA7, 0x1EA9, 0x1EAB, 0x1EAD}, {0x00C2, 0x1EA4, 0x1EA6, 0x1EA8, 0x1EAA, 0x1EAC}},
    {{0x0065, 0x00E9, 0x00E8, 0x1EBB, 0x1EBD, 0x1EB9}, {0x0045, 0x00C9, 0x00C8, 0x1EBA, 0x1EBC, 0x1EB8}},
    {{0x00EA, 0x1EBF, 0x1EC1, 0x1EC3, 0x1EC5, 0x1EC7}, {0x00CA, 0x1EBE, 0x1EC0, 0x1EC2, 0x1EC4, 0x1EC6}},
    {{0x0069, 0x00ED, 0x00EC, 0x1EC9, 0x0129, 0x1ECB}, {0x0049, 0x00CD, 0x00CC, 0x1EC8, 0x0128, 0x1ECA}},
    {{0x006F, 0x00F3, 0x00F2, 0x1ECF, 0x00F5, 0x1ECD}, {0x004F, 0x00D3, 0x00D2, 0x1ECE, 0x00D5, 0x1ECC}},
    {{0x00F4, 0x1ED1, 0x1ED3, 0x1ED5, 0x1ED7, 0x1ED9}, {0x00D4, 0x1ED0, 0x1ED2, 0x1ED4, 0x1ED6, 0x1ED8}},
    {{0x01A1, 0x1EDB, 0x1EDD, 0x1EDF, 0x1EE1, 0x1EE3}, {0x01A0, 0x1EDA, 0x1EDC, 0x1EDE, 0x1EE0, 0x1EE2}},
    {{0x0075, 0x00FA, 0x00F9, 0x1EE7, 0x0169, 0x1EE5}, {0x0055, 0x00DA, 0x00D9, 0x1EE6, 0x0168, 0x1EE4}},
    {{0x01B0, 0x1EE9, 0x1EEB, 0x1EED, 0x1EEF, 0x1EF1}, {0x01AF, 0x1EE8, 0x1EEA, 0x1EEC, 0x1EEE, 0x1EF0}},
    {{0x0079, 0x00FD, 0x1EF3, 0x1EF7, 0x1EF9, 0x1EF5}, {0x0059, 0x00DD, 0x1EF2, 0x1EF6, 0x1EF8, 0x1EF4}},
}};

// Where a letter sits in the rows: row, column (0 bare, 1-5 tone) and case.
struct Place {
    int row = -1;
    int column = 0;
    bool upper = false;
};

Place find(wchar_t c) {
    for (int r = 0; r < RowCount; ++r) {
        for (int k = 0; k < 6; ++k) {
            if (kRows[r].lower[k] == c) return {r, k, false};
            if (kRows[r].upper[k] == c) return {r, k, true};
        }
    }
    return {};
}

wchar_t at(int row, int column, bool upper) {
    return upper ? kRows[row].upper[column] : kRows[row].lower[column];
}

// The row a shape mark leads to from a bare row, or -1.
int shaped(int row, wchar_t digit) {
    switch (digit) {
    case L'6':
        return row == A ? Acirc : row == E ? Ecirc : row == O ? Ocirc : -1;
    case L'7':
        return row == O ? Ohorn : row == U ? Uhorn : -1;
    case L'8':
        return row == A ? Abreve : -1;
    }
    return -1;
}

} // namespace

wchar_t vniCombine(wchar_t letter, wchar_t digit) {
    if (digit == L'9') {
        if (letter == L'd') return 0x0111;
        if (letter == L'D') return 0x0110;
        return 0;
    }
    if (digit < L'1' || digit > L'8') return 0;
    Place p = find(letter);
    if (p.row < 0) return 0;
    if (digit <= L'5') {
        if (p.column != 0) return 0;
        return at(p.row, digit - L'0', p.upper);
    }
    int target = shaped(p.row, digit);
    return target < 0 ? 0 : at(target, p.column, p.upper);
}

std::wstring VniToUnicode(std::wstring_view text, std::wstring_view marker) {
    std::wstring out;
    if (text.empty()) return out;
    out.reserve(text.size());
    out.push_back(text[0]);
    for (size_t i = 1; i < text.size(); ++i) {
        wchar_t c = text[i];
        wchar_t mapped = (c >= L'1' && c <= L'9') ? vniCombine(out.back(), c) : 0;
        if (mapped)
            out.back() = mapped;
        else
            out.push_back(c);
    }
    if (!marker.empty()) {
        for (size_t at = out.find(marker); at != std::wstring::npos; at = out.find(marker, at))
            out.erase(at, marker.size());
    }
    return out;
}

} // namespace widgets
