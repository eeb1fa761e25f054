#include <windows.h>

#include <exception>

#include "app/App_win.h"
#include "platform/Window_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
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
