#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavero {

// The virtual-key code of an editor key name ("Ctrl", "L-1", "R-0", "BOTTOM", "A"...).
// Names compare exactly, case included; an unknown name has no code.
std::optional<int> KeyCodeFromName(std::wstring_view name);

// The code as decimal text, or the empty text for an unknown name.
std::wstring KeyCodeText(std::wstring_view name);

// The list entry a name typed into a list means: the entry of that name whatever its case
// ("b" is B, "ctrl" is Ctrl), surrounding blanks aside; nothing for a name no entry has.
std::optional<std::wstring> KeyListEntryFor(std::wstring_view typed);

// The entries of each of the editor's three key lists, in order: the empty entry, the named
// keys, then the letters A to Z.
const std::vector<std::wstring>& KeyListEntries();

}  // namespace tavero
