#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "rows/ProgramList.h"

namespace tavero {

// The menu of a row's action text that says where the row applies: "Every program", "Only in"
// and "Everywhere but", each with the programs that have windows now (ticked where the row names
// them) and "Other…" for a name typed. Reached by a right click, Shift+F10 or the menu key;
// being a menu, a screen reader speaks it and the keyboard drives it.
class ScopeMenu {
  public:
    // The scope chosen from the menu opened at `at` (screen), or nothing where the menu was
    // left without a choice. `programs`: those with windows now, in any order, repeats allowed.
    static std::optional<ProgramList> Choose(HWND owner, POINT at, const ProgramList& current,
                                             std::vector<std::wstring> programs);
};

// Asks for a program's file name (Other…): the name, or nothing where the user cancelled.
std::optional<std::wstring> AskProgramName(HWND owner);

}  // namespace tavero
