#pragma once

#include <string>
#include <vector>

#include "playback/PressMode.h"
#include "rows/ProgramList.h"

namespace tavero {

// The items of a row's action menu, without the menu: where the row applies (the programs each
// list offers) and how its action presses, the identifier of each item, and what choosing an
// item asks for. Identifiers come back from the system; one this menu did not make chooses
// nothing.
class ActionMenuItems {
  public:
    // `withWindows`: the programs with windows now, in any order, repeats allowed. The lists
    // offer those and the programs the row names, each once, in alphabetical order.
    ActionMenuItems(std::vector<std::wstring> withWindows, const ProgramList& current);

    const std::vector<std::wstring>& Programs() const { return programs_; }
    static constexpr unsigned kEveryProgram = 1;
    static unsigned OtherId(ProgramList::Kind list);
    unsigned ProgramId(ProgramList::Kind list, std::size_t program) const;
    static unsigned PressId(PressMode::Kind kind);
    static constexpr unsigned kTapLength = 8;

    struct Choice {
        enum class What { Nothing, Scope, AskForName, Press, AskTapLength } what = What::Nothing;
        ProgramList scope;                                   // Scope: the row's new scope
        ProgramList::Kind list = ProgramList::Kind::OnlyIn;  // AskForName: the list it goes to
        PressMode press{};                                   // Press: how the row presses
    };
    Choice Chosen(unsigned id) const;

  private:
    static constexpr unsigned kOther = 2;      // + the list's number, 0 or 1
    static constexpr unsigned kPress = 5;      // + the way's number, 0 to 2
    static constexpr unsigned kPrograms = 16;  // + the list's number times kListSpan + the program
    static constexpr unsigned kListSpan = 1000;

    ProgramList current_;
    std::vector<std::wstring> programs_;
};

}  // namespace tavero
