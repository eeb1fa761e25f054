#pragma once

#include <string>
#include <vector>

#include "settings/IniSettings.h"

namespace tavero {

// "Arm hotkeys at start": the rows armed when the program ends are armed again when it next
// starts. Off unless the user turned it on, so a fresh start arms nothing. Kept in a section of
// its own of the settings file, "Options" (ArmAtStart=1, ArmedRows=1,3 with rows from 1), so
// that the other sections keep their format and a program that knows nothing of it reads the
// file the same.
class StartArming {
  public:
    static constexpr const wchar_t* kSection = L"Options";

    explicit StartArming(IniSettings& ini) : ini_(ini) {}

    void Load();
    bool On() const { return on_; }
    void Set(bool on) {
        on_ = on;
        known_ = true;
    }
    // The rows (0 to 9) to arm now, in row order; none while the option is off.
    std::vector<int> RowsToArm() const { return on_ ? rows_ : std::vector<int>{}; }
    // What to save at the quit, the rows armed then given; nothing where the option was never
    // used, so that the file gains no section of it.
    std::vector<IniValue> ToSave(const std::vector<int>& armedRows) const;

  private:
    IniSettings& ini_;
    bool on_ = false;
    bool known_ = false;  // the file has the section, or the user used the option
    std::vector<int> rows_;
};

}  // namespace tavero
