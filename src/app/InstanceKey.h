#pragma once

#include <cstdint>
#include <string_view>

namespace tavero {

// What copies of the program started from one folder have in common: they share its settings
// file, so only one of them may run. Folder names match whatever their case, their kind of
// separator and a trailing one.
std::uint64_t FolderIdentity(std::wstring_view folder);

}  // namespace tavero
