#include <windows.h>

#include <cstdlib>
#include <exception>

#include "app/App_win.h"
#include "platform/Window_win.h"
#include "settings/SettingsFolder.h"

#if defined(__GLIBCXX__)
// libstdc++'s default terminate handler writes the exception's demangled type to a console that
// this windowed program does not have; this one ends the program the same way without it, and
// keeps the demangler (about 36 KiB) out of the exe.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Whatever is loaded from here on comes from the system folder, never from the folder the
    // program was started from.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    try {
        // Where the settings live decides which copy runs: one per settings folder.
        tavero::Win32FileSystem files;
        tavero::SettingsFolder settings =
            tavero::ChooseSettingsFolder(tavero::ExeFolder().Path(), tavero::kSettingsFileName,
                                         files, tavero::PerUserSettingsFolder);
        // Started with Windows: the notification area only, and no window of a copy running.
        bool hidden = tavero::StartsInTray(::GetCommandLineW());
        tavero::SingleInstance instance(settings.path);
        if (!instance.Claim(!hidden)) {
            return 0;
        }
        tavero::App app(instance, settings.path, hidden);
        return app.Run();
    } catch (const std::exception& e) {
        tavero::ReportUnhandledError(nullptr, e);
        return 1;
    }
}
