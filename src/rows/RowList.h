#pragma once

#include <string_view>
#include <vector>

namespace tavero {

// A list of rows as a user writes it, on a command line ("/arm 1,3") or in the settings file
// (ArmedRows=1,3): numbers from 1 to 10, separated by commas, blanks or both, each row once
// however often written.
struct RowList {
    std::vector<int> rows;  // 0 to 9, in order
    bool whole = true;      // every field was a row; false where something was passed over
};
RowList ReadRowList(std::wstring_view text);

}  // namespace tavero
