#pragma once

#include <windows.h>

#include <array>

#include "platform/Handles_win.h"
#include "platform/Window_win.h"
#include "playback/ReliableInjector.h"

namespace tavero {

// While the injector owes key-ups the system refused, watches for what can end the refusal (the
// focused window changes, or the input desktop: the secure desktop goes away) and sends them
// again then; the watch ends once nothing is owed. Costs nothing while nothing is owed.
class OwedReleaseRetry : public Window {
  public:
    explicit OwedReleaseRetry(ReliableInjector& injector) : injector_(injector) {}
    ~OwedReleaseRetry() override;

    // Ready to hear of refusals from now on (from the first armed row: nothing is played before).
    void Prepare();

  protected:
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void Watch(bool on);
    static void CALLBACK OnSwitch(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD);

    ReliableInjector& injector_;
    std::array<UniqueWinEventHook, 2> hooks_;
};

}  // namespace tavero
