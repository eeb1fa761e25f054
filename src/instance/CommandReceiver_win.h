#pragma once

#include <windows.h>

#include "instance/RunningProgram.h"

namespace tavero {

// Where a command from another copy of the program arrives (WM_COPYDATA to the main window): it
// is read only where the message is one command whole, done by the running program, and
// answered with what that copy returns. Any program may send such a message; only a copy of the
// program's own level or above can, as the system lets no other through.
class CommandReceiver {
  public:
    explicit CommandReceiver(RunningProgram& program) : program_(program) {}

    // What the other copy returns (exit_code); `data` may be anything, nullptr included.
    LRESULT Receive(const COPYDATASTRUCT* data);

  private:
    RunningProgram& program_;
};

}  // namespace tavero
