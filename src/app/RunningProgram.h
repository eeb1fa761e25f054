#pragma once

#include <vector>

#include "app/CommandLine.h"

namespace tavero {

// What a command from another copy can have the running program do.
class RunningProgram {
  public:
    virtual ~RunningProgram() = default;
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
};

// Does a command handed over by another copy; what that copy returns (exit_code).
int RunCommand(const Command& command, RunningProgram& program);

}  // namespace tavero
