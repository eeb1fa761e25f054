#pragma once

#include <cstdint>
#include <string_view>

namespace tavero {

// What copies of the program started from one folder have in common: they share its settings
// file, so only one of them may run. Folder names match whatever their case, their kind of
// separator and a trailing one.
std::uint64_t FolderIdentity(std::wstring_view folder);

// The same for a folder known by its volume and its file index, which every path to it shares.
std::uint64_t FileIdentity(std::uint32_t volume, std::uint64_t index);

}  // namespace tavero
