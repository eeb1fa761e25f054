#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/RunKey.h"

namespace tavero {

// Whether this copy of the program starts with Windows, hidden in the notification area: a
// value of its own in the user's Run list starts its exe (full path, quoted) with "/tray".
// Copies in different folders have values of their own; only a value that starts this very exe
// counts for it, and a copy never changes or removes another's.
class StartWithWindows {
  public:
    static constexpr const wchar_t* kTrayArgument = L"/tray";

    // `finalPath` names where a path leads (through links): a value that starts this exe by a
    // link to it is this copy's too.
    using FinalPath = std::function<std::wstring(const std::wstring&)>;
    StartWithWindows(RunKey& run, std::wstring exePath, FinalPath finalPath = nullptr)
        : run_(run), exe_(std::move(exePath)), finalPath_(std::move(finalPath)) {}

    bool On();
    // False when the Run list could not be changed.
    bool Set(bool on);

  private:
    std::wstring ValueName() const;
    bool Starts(std::wstring_view command) const;

    RunKey& run_;
    std::wstring exe_;
    FinalPath finalPath_;
};

}  // namespace tavero
