#pragma once

#include <windows.h>

#include <memory>

#include "app/ActionPlayer.h"
#include "app/ElevatedTargets.h"
#include "app/ForegroundWatch_win.h"
#include "app/KeyHold_win.h"
#include "app/KeyboardWatch_win.h"
#include "app/MainWindow_win.h"
#include "app/OwedReleaseRetry_win.h"
#include "app/ReliableInjector.h"
#include "app/SingleInstance_win.h"
#include "app/StartWithWindows.h"
#include "editor/ActionEditor_win.h"
#include "hotkeybox/IniSettings.h"
#include "hotkeybox/SettingsFolder.h"
#include "hotkeybox/TaveroControl_win.h"
#include "platform/ComApartment_win.h"
#include "platform/KeyInjector_win.h"
#include "platform/ProcessIntegrity_win.h"
#include "platform/Win32Services_win.h"

namespace tavero {

// The running program: its services and windows, built at start and taken down, in reverse
// order, after the message loop ends.
class App {
  public:
    // Takes over the one running copy for the settings in `settingsFolder`; `hidden`: started
    // with Windows, with only its tray icon.
    App(SingleInstance& instance, const std::wstring& settingsFolder, bool hidden);
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
    AsyncKeyboardState keyboard_;
    ActionPlayer player_{keyboard_, hold_, keyboardWatch_, injector_};
    TaveroServices services_{keyNames_, messages_, ini_, userStore_};
    RegistryRunKey runKey_;
    StartWithWindows startup_{runKey_, ExePath()};
    Win32ProcessIntegrity integrity_;
    ElevatedTargets targets_{integrity_};
    ForegroundWatch foregroundWatch_{targets_};
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<ActionEditor> editor_;
};

}  // namespace tavero
