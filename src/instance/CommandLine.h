#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavero {

// What the program is asked to do by the words after its name. With none it starts as always;
// "/tray" starts it in the notification area, as Windows does at sign-in. The others are
// handed to the copy that runs from the same folder and done there, so that a script or a
// launcher can drive it.
struct Command {
    enum class Kind {
        Start,    // no words
        Tray,     // /tray
        Pause,    // /pause
        Resume,   // /resume
        Toggle,   // /toggle: pauses, or resumes
        Show,     // /show: starts the program where no copy runs
        Hide,     // /hide
        Exit,     // /exit: saves and quits, as every quit does
        Release,  // /release: lets go of every key left down
        Arm,      // /arm 1,3: starts the program, the rows armed, where no copy runs
        Disarm,   // /disarm 2
        Forget,   // /forget: takes this copy out of the sign-in list, for an uninstall
        Unknown,  // anything else: the list of commands is shown
    };
    Kind kind = Kind::Start;
    std::vector<int> rows;  // for Arm and Disarm: rows 0 to 9, in order, each once
};

// What a command returns to whoever started it.
namespace exit_code {
inline constexpr int kDone = 0;
inline constexpr int kNoCopyRuns = 1;
inline constexpr int kNotUnderstood = 2;
// The running copy could not do it: a row without a hotkey or whose combination another program
// holds, or a quit the user turned back from after its save failed.
inline constexpr int kNotDone = 3;
}  // namespace exit_code

// Reads a whole command line, the program's own name first. Words match whatever their case,
// with "/" or "-" before them; rows are numbers from 1 to 10, separated by commas or blanks.
Command ParseCommandLine(std::wstring_view commandLine);

// The program named first in a command line, without its quotes.
std::wstring_view ProgramOf(std::wstring_view commandLine);

// Whether the command is done by the copy already running (not by starting one).
bool ForRunningCopy(Command::Kind kind);

}  // namespace tavero
