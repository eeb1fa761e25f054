#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "instance/CommandLine.h"

namespace tavero {

// What a command from another copy can have the running program do.
class RunningProgram {
  public:
    virtual ~RunningProgram() = default;
    // A command may come before the program has finished starting: it finishes first.
    virtual void FinishStarting() {}
    virtual bool Paused() const = 0;
    virtual void SetPaused(bool paused) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Saves and quits, as every quit does; false where the save failed and the user went back.
    virtual bool Quit() = 0;
    virtual void ReleaseAllKeys() = 0;
    // Arms the rows (0 to 9), telling the user once about those that cannot be; false then.
    virtual bool ArmRows(const std::vector<int>& rows) = 0;
    virtual void DisarmRows(const std::vector<int>& rows) = 0;
    // A command failed with an error of the program's own: after the sender has its answer,
    // the user is told.
    virtual void CommandFailed(const std::exception& error) = 0;
};

// Does a command handed over by another copy; what that copy returns (exit_code). A command
// that failed half way is not done, whatever it got to: never "done" for a failure.
int RunCommand(const Command& command, RunningProgram& program);

// How a command is handed over in a message, and the most text one may hold.
inline constexpr std::uintptr_t kCommandTag = 0x54414D43;  // "TAMC"
inline constexpr std::size_t kLongestCommandBytes = 64 * 1024;

// The command line a message holds, where it is one: the tag, then UTF-16 text of a sound size
// (not empty, whole characters, not past the limit). Nothing for any other message, however it
// came: any program may send one.
std::optional<std::wstring> CommandInMessage(std::uintptr_t tag, const void* data,
                                             std::size_t bytes);

}  // namespace tavero
