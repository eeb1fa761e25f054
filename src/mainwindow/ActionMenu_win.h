#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "playback/PressMode.h"
#include "rows/ProgramList.h"

namespace tavero {

// The menu of a row's action text: where the row applies ("Every program", "Only in" and
// "Everywhere but", each with the programs that have windows now, ticked where the row names
// them, and "Other…" for a name typed), and how its action presses ("Press": Tap, Hold while
// held, Repeat while held, Tap length…), the current ones ticked. Reached by a right click,
// Shift+F10 or the menu key; being a menu, a screen reader speaks it and the keyboard drives it.
class ActionMenu {
  public:
    // What was chosen: a new scope or a new way to press, or neither.
    struct Choice {
        std::optional<ProgramList> scope;
        std::optional<PressMode> press;
    };
    // The choice from the menu opened at `at` (screen). `programs`: those with windows now, in
    // any order, repeats allowed.
    static Choice Choose(HWND owner, POINT at, const ProgramList& current, PressMode press,
                         std::vector<std::wstring> programs);
};

// Asks for a program's file name (Other…): the name, or nothing where the user cancelled.
std::optional<std::wstring> AskProgramName(HWND owner);
// Asks for a tap's length in milliseconds, from 20 to 5,000 (Tap length…), `current` shown
// first; nothing where the user cancelled.
std::optional<int> AskTapLength(HWND owner, int current);

}  // namespace tavero
