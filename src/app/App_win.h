#pragma once

#include <windows.h>

#include <memory>

#include "editor/ActionEditor_win.h"
#include "hotkeybox/TaveroControl_win.h"
#include "instance/SingleInstance_win.h"
#include "instance/StartWithWindows.h"
#include "mainwindow/MainWindow_win.h"
#include "platform/CodePage_win.h"
#include "platform/ComApartment_win.h"
#include "platform/FileSystem_win.h"
#include "platform/KeyInjector_win.h"
#include "platform/KeyNames_win.h"
#include "platform/MessageBoxes_win.h"
#include "platform/ProcessIntegrity_win.h"
#include "platform/ProgramFolder_win.h"
#include "platform/Programs_win.h"
#include "platform/Registry_win.h"
#include "platform/Shell_win.h"
#include "platform/Ticker_win.h"
#include "playback/ActionPlayer.h"
#include "playback/ElevatedTargets.h"
#include "playback/ForegroundWatch_win.h"
#include "playback/HeldActions.h"
#include "playback/KeyHold_win.h"
#include "playback/KeyRelease_win.h"
#include "playback/KeyboardWatch_win.h"
#include "playback/OwedReleaseRetry_win.h"
#include "playback/ReliableInjector.h"
#include "settings/IniSettings.h"
#include "settings/SettingsFolder.h"

namespace tavero {

// The running program: its services and windows, built at start and taken down, in reverse
// order, after the message loop ends.
class App {
  public:
    // Takes over the one running copy for the settings in `settingsFolder`; `hidden`: started
    // with Windows, with only its tray icon.
    // `armRows`: rows to arm once the window is up (a start by "/arm").
    App(SingleInstance& instance, const std::wstring& settingsFolder, bool hidden,
        std::vector<int> armRows = {});
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    int Run();

  private:
    void CreateEditor();

    ComApartment com_;
    Win32KeyNames keyNames_;
    Win32MessageBoxes messages_;
    Win32FileSystem files_;
    Win32AnsiCodePage ansi_;
    FixedFolder folder_;
    RegistryUserSettingsStore userStore_;
    ShellExecuteOpener shell_;
    IniSettings ini_{files_, ansi_, folder_};
    SendInputKeyInjector sendInput_;
    ReliableInjector injector_{sendInput_};
    OwedReleaseRetry retry_{injector_};
    TimerKeyHold hold_{injector_};
    KeyboardWatch keyboardWatch_{injector_};
    KeyRelease release_{keyboardWatch_, injector_};
    AsyncKeyboardState keyboard_;
    ActionPlayer player_{keyboard_, hold_, keyboardWatch_, injector_};
    WindowTicker ticker_;
    HeldActions held_{player_,        injector_, keyboard_,
                      keyboardWatch_, ticker_,   KeyboardRepeatSettings()};
    TaveroServices services_{keyNames_, messages_, ini_, userStore_};
    RegistryRunKey runKey_;
    StartWithWindows startup_{runKey_, ExePath(), FinalPathOf};
    Win32ProcessIntegrity integrity_;
    ElevatedTargets targets_{integrity_};
    Win32Programs programs_;
    // The program in front changed: whether keys reach it, and which rows apply there.
    ForegroundWatch foregroundWatch_{[this] {
        targets_.ForegroundChanged();
        if (main_) {
            main_->Rows().ForegroundChanged();
        }
    }};
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<ActionEditor> editor_;
};

}  // namespace tavero
