#pragma once

#include <optional>
#include <set>
#include <string>
#include <utility>

#include "platform/ProcessIntegrity.h"

namespace tavero {

// Whether keys the program plays reach the focused application. Windows drops, without an
// error, input sent to a process of a higher integrity level than the sender's (an application
// run as administrator, when this program is not): a hotkey there plays nothing, and says so
// once per such process instead of playing into nothing. Where the level cannot be learnt the
// program plays as always: a wrong refusal would cost a working hotkey.
class ElevatedTargets {
  public:
    struct Verdict {
        bool play = true;
        std::optional<std::wstring> tell;  // what to tell the user, the first time only
    };

    explicit ElevatedTargets(ProcessIntegrity& integrity) : integrity_(integrity) {}

    // The focused application changed: its level is learnt at the next hotkey, once.
    void ForegroundChanged() { known_ = false; }
    Verdict Check();

  private:
    ProcessIntegrity& integrity_;
    std::optional<ProcessIntegrity::Process> foreground_;
    bool known_ = false;
    std::optional<std::uint32_t> own_;
    bool ownAsked_ = false;
    std::set<std::pair<std::uint32_t, std::uint64_t>> told_;
};

}  // namespace tavero
