#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/Handles_win.h"

namespace tavero {

// One running copy per program folder. The first copy started from a folder holds a named
// mutex; a later one brings the first one's window forward and ends, before it reads or writes
// any setting. Copies in different folders have different settings files and run side by side.
class SingleInstance {
  public:
    explicit SingleInstance(const std::wstring& folder);

    bool IsFirst() const { return first_; }
    // A later copy: shows the first copy's main window and brings it to the front.
    void ShowFirst() const;
    // The first copy: its main window is up, where later copies can find it.
    void Ready(HWND main);

  private:
    std::uint64_t identity_;
    UniqueKernelHandle mutex_;
    UniqueKernelHandle ready_;
    bool first_ = true;
};

}  // namespace tavero
