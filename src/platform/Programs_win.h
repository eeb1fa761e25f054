#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Programs.h"

namespace tavero {

// The exe's file name of a process; empty where the system cannot say (it ended, or refuses
// even the least access).
std::wstring ProgramFileName(DWORD processId);
std::wstring ProgramFileName(HANDLE process);

class Win32Programs : public Programs {
  public:
    std::wstring InFront() override;
    std::vector<std::wstring> WithWindows() override;
};

}  // namespace tavero
