#pragma once

#include <string>
#include <vector>

#include "rows/ProgramList.h"

namespace tavero {

// The items of the menu that says where a row applies, without the menu: the programs each list
// offers and the identifier of each item, and what choosing an item asks for. Identifiers come
// back from the system; one this menu did not make chooses nothing.
class ScopeMenuItems {
  public:
    // `withWindows`: the programs with windows now, in any order, repeats allowed. The lists
    // offer those and the programs the row names, each once, in alphabetical order.
    ScopeMenuItems(std::vector<std::wstring> withWindows, const ProgramList& current);

    const std::vector<std::wstring>& Programs() const { return programs_; }
    static constexpr unsigned kEveryProgram = 1;
    static unsigned OtherId(ProgramList::Kind list);
    unsigned ProgramId(ProgramList::Kind list, std::size_t program) const;

    struct Choice {
        enum class What { Nothing, Scope, AskForName } what = What::Nothing;
        ProgramList scope;                                   // Scope: the row's new scope
        ProgramList::Kind list = ProgramList::Kind::OnlyIn;  // AskForName: the list it goes to
    };
    Choice Chosen(unsigned id) const;

  private:
    static constexpr unsigned kOther = 2;      // + the list's number, 0 or 1
    static constexpr unsigned kPrograms = 16;  // + the list's number times kListSpan + the program
    static constexpr unsigned kListSpan = 1000;

    ProgramList current_;
    std::vector<std::wstring> programs_;
};

}  // namespace tavero
