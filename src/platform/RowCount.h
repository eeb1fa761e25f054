#pragma once

#include <cstddef>

namespace tavero {

// The rows the program has: ten, as the main window shows them and the settings file keeps them
// (keys "0" to "9", boxes Tavero1 to Tavero10), numbered 0 to 9 in the code.
inline constexpr int kRowCount = 10;

// A row's place in an array of the rows.
inline constexpr std::size_t RowIndex(int row) {
    return static_cast<std::size_t>(row);
}

}  // namespace tavero
