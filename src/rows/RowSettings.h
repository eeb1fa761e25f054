#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/RowCount.h"
#include "playback/PressMode.h"
#include "rows/PressSection.h"
#include "rows/ProgramList.h"
#include "rows/ScopeSection.h"
#include "settings/IniSettings.h"

namespace tavero {

// What set.ini keeps of each row beside its hotkey: its action (display text in "conftext", the
// action code in "conftooltip", by row index), where it applies ("Scope") and how it presses
// ("Press"). Read at start; each change written at once. What could not be read is kept as it
// was, and said.
class RowSettings {
  public:
    explicit RowSettings(IniSettings& ini) : ini_(ini), scopes_(ini), presses_(ini) {}

    void Load();

    const std::wstring& ActionText(int row) const { return actions_.at(RowIndex(row)).text; }
    const std::wstring& ActionCode(int row) const { return actions_.at(RowIndex(row)).code; }
    const ProgramList& Scope(int row) const { return scopes_.Of(row); }
    const ScopeSection& Scopes() const { return scopes_; }
    PressMode Press(int row) const { return presses_.Of(row).mode; }

    // Each false where the file could not be written: the row has its new value all the same,
    // until the program ends. A row's text and code are written together, or neither.
    bool SetAction(int row, const std::wstring& text, const std::wstring& code);
    bool SetScope(int row, ProgramList scope) { return scopes_.Set(row, std::move(scope)); }
    bool SetPress(int row, PressMode mode) { return presses_.Set(row, {mode, {}}); }

    // What the row's tip says: its action code, how it presses where it does not simply tap,
    // and where it applies where it does not apply everywhere.
    std::wstring ActionTip(int row) const;
    // Lines for a word to the user, one per row whose place, or whose way of pressing, could not
    // be read; empty where there are none.
    std::wstring ScopesNotRead() const;
    std::wstring PressesNotRead() const;
    // Every row's action, place and way of pressing, to be written where the file no longer has
    // them (deleted, replaced or cut short meanwhile); a value the file has stays.
    std::vector<IniValue> HeldValues() const;

  private:
    struct Action {
        std::wstring text;
        std::wstring code;
    };
    IniSettings& ini_;
    std::array<Action, kRowCount> actions_;
    ScopeSection scopes_;
    PressSection presses_;
};

// One line, from its line break, of a word to the user about a row.
std::wstring RowLine(int row, const std::wstring& what);

}  // namespace tavero
