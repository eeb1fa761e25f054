#pragma once

#include <string>
#include <vector>

namespace tavero {

// The programs the user works in, known by their exe's file name ("notepad.exe").
class Programs {
  public:
    virtual ~Programs() = default;
    // The program of the window the user works in; empty where the system cannot say.
    virtual std::wstring InFront() = 0;
    // The programs with a window on the screen now (not this one), one name for each process.
    virtual std::vector<std::wstring> WithWindows() = 0;
};

}  // namespace tavero
