#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "WinTestSupport_win.h"

namespace tavero::testing {

// The built exe, copied into a fresh folder and started there as a user would, and the things
// a user can do to it from outside: clicks at controls' places, keys, reading texts.
class ProgramUnderTest {
  public:
    // `settings`, when not empty, is written to set.ini before the start. `exeName`: the exe's
    // file name, for a program the rows know by its name; folders before it are made (any
    // length).
    explicit ProgramUnderTest(const std::string& settings = "",
                              const std::wstring& exeName = L"TaveroMirelle.exe");
    // A program already placed in `folder` (which may be read-only) by the test's setup.
    struct InPlace {
        std::wstring folder;
        std::wstring exeName = L"TaveroMirelle.exe";
    };
    explicit ProgramUnderTest(InPlace place);
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    // Starts (again) with `arguments` and waits for the main window, shown and in the
    // foreground unless `hidden`; fails saying which of these did not come.
    ::testing::AssertionResult Start(const std::wstring& arguments = L"", bool hidden = false);
    // Waits until the program has handled everything sent to it so far, moving no window and
    // no focus.
    void AwaitIdle() const { AwaitThreadOf(main_); }
    // Starts the exe once more from the same folder, as a user would a second time or a script
    // with a command (`arguments`), and waits for that copy to end: its exit code, or -1 if it
    // is still running after `timeoutMs` (-2 where it could not be started).
    int StartAgainBeside(const std::wstring& arguments = L"", int timeoutMs = 10000) const;
    // Waits for the process to end; its exit code, or -1 on time-out.
    int WaitForExit(int timeoutMs = 10000);
    bool Running() const;
    HANDLE Process() const { return process_.hProcess; }

    HWND MainWindow() const { return main_; }
    // The action editor's window, once the program has made it.
    HWND Editor() const;
    // Whether a window of the program is the foreground window.
    bool InFront() const;
    HWND Control(int id) const { return ::GetDlgItem(main_, id); }
    HWND HotKeyEdit(int row) const;
    HWND ArmBox(int row) const;
    HWND ActionText(int row) const;
    bool Ticked(int row) const;

    // Ticks a row's arm box with a click, clicking again if the first one went unseen; true
    // once the box shows the tick.
    bool Tick(int row) const;

    // Clicks a row's hotkey box and presses `chord` in it; true once the box shows a complete
    // hotkey (not the preview of modifiers being held). Fails saying so when the box did not
    // get the focus.
    ::testing::AssertionResult CaptureHotKey(int row, std::initializer_list<int> chord) const;

    // A real left click at the centre of a window, or at client point (x, y) of the main window.
    void Click(HWND window) const;
    // Clicks a control of the program for the keyboard's focus, and waits until it has it and
    // the program has handled its activation; fails saying where the focus is when it has not.
    ::testing::AssertionResult ClickToFocus(HWND control) const;
    void ClickAt(int clientX, int clientY) const;

    // The program's top-level window of `className`, or nullptr.
    HWND FindOwnWindow(const wchar_t* className, const wchar_t* title) const;

    // Moves a drop-down list's selection to `index` with the arrow keys, looking at the list
    // after each key as a user would; clicks it first unless it has the focus already.
    ::testing::AssertionResult PickInList(HWND list, int index) const;

    // The control of the program that has the keyboard focus.
    HWND Focus() const;
    // Presses Tab until `control` has the focus, as a keyboard user does; fails if its window
    // is not in the foreground or Tab never gets there.
    ::testing::AssertionResult TabTo(HWND control) const;

    // Opens the tray menu through the icon's callback; the menu's window, or nullptr.
    HWND OpenTrayMenu() const;
    // Closes an open menu without choosing from it.
    static void DismissMenu(HWND menu);
    // The tray menu's entries, separators aside.
    enum TrayEntry {
        kShow,
        kAbout,
        kStartWithWindows,
        kArmAtStart,
        kPauseHotkeys,
        kPauseKey,
        kReleaseKeys,
        kExit
    };
    // Opens the tray menu through the icon's callback and chooses `entry` with the arrow keys
    // and Enter, as a keyboard user does, until `done` holds (by default: the menu has closed).
    // Under Wine a menu may not open, or take its keys, the first time: it tries again there.
    ::testing::AssertionResult ChooseFromTrayMenu(
        TrayEntry entry, const std::function<bool()>& done = nullptr) const;

    // Chooses, from the keyboard, "Other…" in the "Only in" or "Everywhere but" list of a row's
    // action text's menu and gives it `program`; true once the program has taken it.
    ::testing::AssertionResult ChooseOtherProgram(int row, bool everywhereBut,
                                                  const std::wstring& program) const;
    // Chooses, from the keyboard, "Tap length…" in the "Press" list of a row's action text's
    // menu and gives it each of `answers`; true when each but the last was refused and the last
    // taken.
    ::testing::AssertionResult ChooseTapLength(int row,
                                               const std::vector<std::wstring>& answers) const;

    // Waits for the program's message box titled "error"; nullptr if none came.
    HWND AwaitMessageBox(int timeoutMs = 5000) const;
    // Waits for the program's message box titled "error", returns its text and presses its
    // `button` (IDOK; a box after a failed save at a quit has IDTRYAGAIN, IDCANCEL, IDCONTINUE).
    std::wstring AnswerMessageBox(int button = IDOK, int timeoutMs = 5000) const;
    // True when no message box of the program is open now.
    bool NoMessageBox() const;

    std::wstring SettingsPath() const { return folderPath_ + L"\\set.ini"; }
    std::string Settings() const { return ReadFileBytes(SettingsPath()); }
    const std::wstring& ExePath() const { return exe_; }

  private:
    // Opens a row's action text's menu from the keyboard, goes `downs` entries down and into the
    // list there, chooses its last entry and gives the dialog titled `caption` it opens each of
    // `answers` in the field `fieldId`.
    ::testing::AssertionResult AnswerFromActionMenu(int row, int downs, const wchar_t* caption,
                                                    int fieldId,
                                                    const std::vector<std::wstring>& answers) const;

    TempFolder folder_;
    std::wstring folderPath_;
    std::wstring exe_;
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

// A place made natively around the tests (tests/hostile/places.sh), as the program sees it.
std::wstring TestPlace(const std::string& what);
// Whether the places were made here and the file system offered what `marker` would say it did
// not.
bool PlaceOffered(const char* marker);

// A settings file whose row 1 holds B while Ctrl + Alt + F5 is held, row 2 repeats A while
// Ctrl + Alt + F6 is, and row 3 taps C for 350 ms on Ctrl + Alt + F7.
std::string PressModeRows();

// Counts the "Tavero" section keys in a settings file's text (TaveroNText, KeyCode, ModKeyCode).
int CountHotKeyKeys(const std::string& settings);

}  // namespace tavero::testing
