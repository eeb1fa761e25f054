#pragma once

#include <array>

#include "app/RowScope.h"
#include "settings/IniSettings.h"

namespace tavero {

// Where each of the ten rows applies, kept in the settings file's section "Scope" by row index,
// in a section of its own so that the others keep their format; a file without it has every row
// apply in every program, as always.
class RowScopes {
  public:
    static constexpr const wchar_t* kSection = L"Scope";
    static constexpr int kRows = 10;

    explicit RowScopes(IniSettings& ini) : ini_(ini) {}

    void Load();
    const RowScope& Of(int row) const { return scopes_.at(static_cast<std::size_t>(row)); }
    // Gives a row a new scope, and writes it; false when the write failed (the row has it until
    // the program ends).
    bool Set(int row, RowScope scope);

  private:
    IniSettings& ini_;
    std::array<RowScope, kRows> scopes_;
};

}  // namespace tavero
