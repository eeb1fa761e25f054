#include <windows.h>

#include <exception>

#include "app/App_win.h"
#include "platform/Window_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Whatever is loaded from here on comes from the system folder, never from the folder the
    // program was started from.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    try {
        tavero::SingleInstance instance(tavero::ExeFolder().Path());
        if (!instance.IsFirst()) {
            instance.ShowFirst();
            return 0;
        }
        tavero::App app(instance);
        return app.Run();
    } catch (const std::exception& e) {
        tavero::ReportUnhandledError(nullptr, e);
        return 1;
    }
}
