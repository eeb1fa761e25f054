#pragma once

#include <windows.h>

#include "platform/Handles_win.h"
#include "platform/ProcessIntegrity.h"

namespace tavero {

// Integrity levels from the processes' access tokens.
class Win32ProcessIntegrity : public ProcessIntegrity {
  public:
    std::optional<Process> Foreground() override;
    std::optional<std::uint32_t> Own() override;
};

}  // namespace tavero
