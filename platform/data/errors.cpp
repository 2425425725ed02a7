#include "platform/data/errors.h"

#include "platform/core/runtime_error.h"

namespace data {

void fail(int number, const std::wstring& text, const std::wstring& file) {
    std::wstring description = text;
    if (!file.empty()) description += L" (" + file + L")";
    throw DatabaseError(number, description, file);
}

} // namespace data
