#pragma once

#include <array>

#include "platform/RowCount.h"
#include "rows/ProgramList.h"
#include "settings/IniSettings.h"

namespace tavero {

// Where each of the ten rows applies, kept in the settings file's section "Scope" by row index,
// in a section of its own so that the others keep their format; a file without it has every row
// apply in every program, as always.
class ScopeSection {
  public:
    static constexpr const wchar_t* kSection = L"Scope";

    explicit ScopeSection(IniSettings& ini) : ini_(ini) {}

    void Load();
    const ProgramList& Of(int row) const { return scopes_.at(RowIndex(row)); }
    // Gives a row a new scope, and writes it; false when the write failed (the row has it until
    // the program ends).
    bool Set(int row, ProgramList scope);

  private:
    IniSettings& ini_;
    std::array<ProgramList, kRowCount> scopes_;
};

}  // namespace tavero
