#pragma once

#include <optional>
#include <string_view>

namespace tavero {

// A whole decimal number written with digits only (no sign, no blanks), or nothing.
// Values past `limit` are refused rather than wrapped.
std::optional<int> ParseDecimal(std::wstring_view text, int limit);

}  // namespace tavero
