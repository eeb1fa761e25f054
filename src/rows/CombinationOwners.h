#pragma once

#include <array>
#include <string>
#include <vector>

#include "hotkeybox/Tavero.h"
#include "platform/Programs.h"
#include "platform/RowCount.h"
#include "rows/ScopeSection.h"

namespace tavero {

// Which armed row holds its combination, and which plays it, as the program in front changes.
// A row that does not apply in the program in front lets its combination go, so that program
// gets the keys as if this one did not run; of rows that share a combination, the one that
// applies there holds it. Rows that all apply everywhere, each with a combination of its own,
// hold theirs always, and the program in front is never asked.
class CombinationOwners {
  public:
    CombinationOwners(const std::array<Tavero*, kRowCount>& boxes, const ScopeSection& scopes)
        : boxes_(boxes), scopes_(scopes) {}

    // Where to learn the program in front; without it, every row applies everywhere.
    void KnowProgramsBy(Programs& programs) { programs_ = &programs; }

    // How a row to be armed stands to the armed rows of its combination: there are none, they
    // apply in other programs than it does, or some would apply where it does.
    enum class Sharing { None, Apart, Clashes };
    Sharing SharingOf(int row) const;

    // Has the rows hold or let go of their combinations for the program in front now; the
    // rows that could not take theirs back (another program took it: they are disarmed).
    std::vector<int> Reconcile();
    // Of the armed rows with `row`'s combination, the one that plays in the program in front
    // now; -1 where none applies there.
    int PlayerFor(int row);
    // Whether which program is in front matters: an armed row applies in some programs only,
    // or shares its combination.
    bool NeedsProgram() const;

    // Whether a row holds a registration of its own (its box is armed), paused or not.
    bool Armed(int row) const;

  private:
    bool SameCombination(int a, int b) const;
    int PlayerIn(int row, const std::wstring& program) const;

    const std::array<Tavero*, kRowCount>& boxes_;
    const ScopeSection& scopes_;
    Programs* programs_ = nullptr;
};

}  // namespace tavero
