#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "hotkeybox/Tavero.h"
#include "platform/MessageBoxes.h"
#include "platform/RowCount.h"
#include "platform/TextIds.h"
#include "playback/ActionPlayer.h"
#include "playback/ElevatedTargets.h"
#include "playback/HeldActions.h"
#include "rows/CombinationOwners.h"
#include "rows/RowSettings.h"
#include "rows/StartArming.h"
#include "settings/IniSettings.h"

namespace tavero {

// The ten rows of the main window without their windows: each pairs a capture box with an
// action (its display text and its action code), and the rows are where hotkeys turn into
// playbacks and where everything is saved on the way out.
class HotKeyRows {
  public:
    HotKeyRows(IniSettings& ini, ActionPlayer& player, MessageBoxes& messages)
        : ini_(ini), player_(player), messages_(messages), startArming_(ini), settings_(ini) {}

    // Row index 0..9 with its capture box (Tavero1..Tavero10).
    void Attach(int row, Tavero& box) { boxes_.at(RowIndex(row)) = &box; }

    // Reads every row's action from the settings file: sections "conftext" and "conftooltip",
    // key the row index; and the options.
    void LoadActions();
    const std::wstring& ActionText(int row) const { return settings_.ActionText(row); }
    const std::wstring& ActionCode(int row) const { return settings_.ActionCode(row); }
    // What the row's tip shows: its action code, how it presses, and, where it applies in some
    // programs only, which.
    std::wstring ActionTip(int row) const { return settings_.ActionTip(row); }

    // Where a row applies. A new scope is written to the settings file (the user is told where
    // that fails) and takes effect at once; an armed row whose combination an armed row shares
    // that would then apply in the same programs is disarmed, with a word.
    const ProgramList& Scope(int row) const { return settings_.Scope(row); }
    void SetScope(int row, ProgramList scope);
    // Where to learn the program in front, and how to say what the rows could not do when it
    // changed.
    void KnowProgramsBy(Programs& programs, std::function<void(const std::wstring&)> tell) {
        owners_.KnowProgramsBy(programs);
        tellRows_ = std::move(tell);
    }
    // The program in front changed: rows that apply there take their combinations, the others
    // let them go.
    void ForegroundChanged();
    const std::wstring& SettingsPath() const { return ini_.IniFilePath(); }
    void ClearLeftovers() { ini_.ClearLeftovers(); }
    // How a row's action presses: a tap, held while the hotkey is held, or repeated. A new way is
    // written to the settings file (the user is told where that fails) and takes effect at once;
    // whatever the row held goes up.
    PressMode Press(int row) const { return settings_.Press(row); }
    void SetPress(int row, PressMode mode);
    // Where a row's action is held or repeated while its hotkey is held; without it, every row
    // taps.
    void PressBy(HeldActions& held) { held_ = &held; }
    // Lets go of whatever the rows hold (the quit, "Release all keys"); the keys they held.
    std::vector<int> LetGoOfAll();

    // Tells the user when the settings file could not be read at start (a lock, a path too
    // long); true then.
    bool ReportReadError();
    // The word for the user about the rows whose place in set.ini could not be read, which stay
    // unarmed until the user chooses where they apply, and about those whose way of pressing
    // could not be read, which tap; empty where there are none.
    std::wstring ScopesNotRead() const { return settings_.ScopesNotRead(); }
    std::wstring PressesNotRead() const { return settings_.PressesNotRead(); }
    // Gives a row a new action and writes it to the settings file. When a write fails the user
    // is told, naming the file and the system's reason; returns false then.
    bool SetAction(int row, const std::wstring& text, const std::wstring& code);

    // Arms or disarms a row's hotkey; returns whether it is armed afterwards.
    bool Arm(int row, bool armed);
    // A box armed or disarmed itself: the player is ready while any row is armed.
    void ArmedChanged();
    bool Armed(int row) const;
    // Called when whether any row is armed changes.
    std::function<void(bool anyArmed)> onArmedChanged;
    // Called when whether the rows follow the program in front changes (an armed row applies
    // in some programs only, or shares its combination).
    std::function<void(bool following)> onFollowingChanged;

    // Arms the rows armed when the program last ended, where the user asked for it; the word
    // for the user, in one text, about the rows that could not be (empty when none was refused).
    std::wstring ArmAsLastTime();
    // Arms `rows` without a word each; the word for the user, in one text under `heading`,
    // about the rows that could not be (empty when none was refused). Rows whose place could not
    // be read are never armed; `sayUnread`: named among them (else ScopesNotRead says it).
    std::wstring ArmRows(const std::vector<int>& rows, int heading = TAVERO_TEXT_NOT_ARMED,
                         bool sayUnread = true);
    StartArming& ArmingAtStart() { return startArming_; }

    // Paused, the armed rows' combinations reach applications; the rows stay armed. Resumed, a
    // row whose combination another program took meanwhile is disarmed, its hotkey kept; the
    // word for the user about those rows, in one text (empty when there is none).
    std::wstring SetPaused(bool paused);
    bool Paused() const { return paused_; }

    // Keys played where they cannot reach the focused application go nowhere: the rows then
    // play nothing and, once per such application, give the user a word.
    void StopWhereKeysCannotReach(ElevatedTargets& targets,
                                  std::function<void(const std::wstring&)> tell) {
        targets_ = &targets;
        tellUnreachable_ = std::move(tell);
    }

    // The row's hotkey fired: plays the row's action code as it is at this moment.
    ActionPlayer::Outcome Fire(int row);

    enum class Saved { Yes, No, GoBack };
    // Saves every row's hotkey, Tavero1 first, in one write of the file, as the program quits.
    // When it fails and `ask`, the user, told the file and the reason, chooses to try again, to
    // go back to the program (GoBack: nothing is lost) or to quit anyway (No); without `ask`
    // (the session is ending) nothing waits for the user.
    Saved SaveAll(bool ask);

  private:
    // Tells the user the text `what` with the file's path and the reason in its blanks.
    void Tell(int what, const FileError& error);
    bool SaveAllOnce();
    void LetGo(int row);
    std::wstring TakenLine(int row) const;
    // Arms a row as it stands to the armed rows of its combination; what came of it.
    Tavero::ArmResult ArmBeside(int row);
    // Has the rows hold their combinations for the program in front; a line for each that could
    // not (none where all could).
    std::wstring Reconcile();

    IniSettings& ini_;
    ActionPlayer& player_;
    MessageBoxes& messages_;
    StartArming startArming_;
    RowSettings settings_;
    HeldActions* held_ = nullptr;
    bool paused_ = false;
    bool anyArmed_ = false;
    bool following_ = false;
    ElevatedTargets* targets_ = nullptr;
    std::function<void(const std::wstring&)> tellUnreachable_;
    std::array<Tavero*, kRowCount> boxes_{};
    CombinationOwners owners_{boxes_, settings_.Scopes()};
    std::function<void(const std::wstring&)> tellRows_;
};

}  // namespace tavero
