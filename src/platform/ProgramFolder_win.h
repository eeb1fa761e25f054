#pragma once

#include <windows.h>

#include <string>

#include "platform/ProgramFolder.h"

namespace tavero {

// The program's exe, by its full path: the exe itself, however it was started (through a
// symbolic link, a junction, another drive letter).
std::wstring ExePath();

class ExeFolder : public ProgramFolder {
  public:
    std::wstring Path() const override;
};

// The folder of the program's name in the user's roaming application data, where the settings
// are kept when the exe's own folder cannot be written; empty when the system cannot say.
std::wstring PerUserSettingsFolder();

}  // namespace tavero
