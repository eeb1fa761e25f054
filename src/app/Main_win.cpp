#include <windows.h>

#include <cstdlib>
#include <exception>
#include <new>

#include "app/App_win.h"
#include "instance/CommandLine.h"
#include "platform/Console_win.h"
#include "platform/FileSystem_win.h"
#include "platform/ProgramFolder_win.h"
#include "platform/Registry_win.h"
#include "platform/Texts.h"
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

// libstdc++ reports its own errors (an index out of range, a string too long, a system call of
// its threading) through these functions; its own versions bring its exception classes, their
// strings of the old kind and its formatting (some 40 KiB) into the exe. The program catches
// every error as a std::exception and says what it can: these throw one it can say.
namespace {
class LibraryError : public std::exception {
  public:
    explicit LibraryError(const char* what) : what_(what) {}
    const char* what() const noexcept override { return what_; }

  private:
    const char* what_;
};
}  // namespace

namespace std {
void __throw_bad_alloc() {
    throw std::bad_alloc();
}
void __throw_bad_array_new_length() {
    throw std::bad_array_new_length();
}
void __throw_length_error(const char* what) {
    throw LibraryError(what);
}
void __throw_logic_error(const char* what) {
    throw LibraryError(what);
}
void __throw_out_of_range_fmt(const char* what, ...) {
    throw LibraryError(what);
}
void __throw_system_error(int) {
    throw LibraryError("a system call failed");
}
}  // namespace std
#endif

namespace {

// Says `text` where the program was started from, else in a box.
void TellStarter(const std::wstring& text, UINT icon) {
    if (!tavero::WriteToStarter(text)) {
        ::MessageBoxW(nullptr, text.c_str(), tavero::Text(TAVERO_TEXT_PROGRAM_NAME).c_str(),
                      MB_OK | icon);
    }
}

// What a command handed to the running copy returns; a refusal is said to whoever started it.
int Answer(const tavero::SingleInstance::Handed& handed) {
    using Outcome = tavero::SingleInstance::Handed::Outcome;
    switch (handed.outcome) {
        case Outcome::Done:
            return handed.code;
        case Outcome::Refused:
            TellStarter(tavero::Text(TAVERO_TEXT_COMMAND_REFUSED), MB_ICONWARNING);
            return tavero::exit_code::kNotDone;
        case Outcome::NoCopyRuns:
            break;
    }
    return tavero::exit_code::kNoCopyRuns;
}

// Takes back what this copy added to the system, its value in the sign-in list (other copies'
// values are theirs), so that removing the folder leaves nothing behind.
int Forget() {
    tavero::RegistryRunKey run;
    std::wstring exe = tavero::ExePath();
    tavero::StartWithWindows startup(run, exe, tavero::FinalPathOf);
    if (!startup.On()) {
        TellStarter(tavero::Text(TAVERO_TEXT_NOTHING_TO_FORGET, {exe}), MB_ICONINFORMATION);
        return tavero::exit_code::kDone;
    }
    if (!startup.Set(false)) {
        TellStarter(tavero::Text(TAVERO_TEXT_NOT_FORGOTTEN, {exe}), MB_ICONWARNING);
        return tavero::exit_code::kNotDone;
    }
    TellStarter(tavero::Text(TAVERO_TEXT_FORGOTTEN, {exe}), MB_ICONINFORMATION);
    return tavero::exit_code::kDone;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Whatever is loaded from here on comes from the system folder, never from the folder the
    // program was started from.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    try {
        using Kind = tavero::Command::Kind;
        const wchar_t* line = ::GetCommandLineW();
        tavero::Command command = tavero::ParseCommandLine(line);
        if (command.kind == Kind::Unknown) {
            TellStarter(tavero::Text(TAVERO_TEXT_USAGE), MB_ICONINFORMATION);
            return tavero::exit_code::kNotUnderstood;
        }
        if (command.kind == Kind::Forget) {
            return Forget();
        }
        // Where the settings live decides which copy runs: one per settings folder.
        tavero::Win32FileSystem files;
        tavero::SettingsFolder settings =
            tavero::ChooseSettingsFolder(tavero::ExeFolder().Path(), tavero::kSettingsFileName,
                                         files, tavero::PerUserSettingsFolder);
        tavero::SingleInstance instance(settings.path);
        // A command is done by the copy that runs; "/show" and "/arm" start one where none does.
        if (tavero::ForRunningCopy(command.kind)) {
            tavero::SingleInstance::Handed handed = instance.Hand(line, command.kind == Kind::Exit);
            bool startsOne = command.kind == Kind::Show || command.kind == Kind::Arm;
            if (handed.outcome != tavero::SingleInstance::Handed::Outcome::NoCopyRuns ||
                !startsOne) {
                return Answer(handed);
            }
        }
        // Started with Windows: the notification area only, and no window of a copy running.
        bool hidden = command.kind == Kind::Tray;
        if (!instance.Claim(!hidden)) {
            // Another copy started meanwhile, and shown itself: it takes the rows to arm.
            if (command.kind != Kind::Arm) {
                return tavero::exit_code::kDone;
            }
            return Answer(instance.Hand(line, false));
        }
        tavero::App app(instance, settings.path, hidden, command.rows);
        return app.Run();
    } catch (const std::exception& e) {
        tavero::ReportUnhandledError(nullptr, e);
        return 1;
    }
}
