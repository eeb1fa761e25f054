#pragma once

#include <cstdint>
#include <string_view>

namespace tavero {

// A path made short: the same number for every spelling of it that the file system takes as
// the same (whatever its case, '/' or '\'), FNV-1a over its UTF-16 units.
std::uint64_t PathHash(std::wstring_view path);

// What copies of the program started from one folder have in common: they share its settings
// file, so only one of them may run. Folder names match whatever their case, their kind of
// separator and a trailing one.
std::uint64_t FolderIdentity(std::wstring_view folder);

}  // namespace tavero
