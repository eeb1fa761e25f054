#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "platform/HotKeyRegistrar.h"
#include "platform/Window_win.h"

namespace tavero {

// The hidden window a capture box registers its hotkey on: message-only, so it costs no window
// on the screen, and of a class of its own, so the hotkey message reaches `onHotKey` directly.
// Made at the first registration: a box that is never armed needs none, and none delays the
// window's first paint.
// Since the system keeps hotkey identifiers per window, every box can use the same one. What is
// registered on it is unregistered when it goes.
class HotKeyWindow : public Window, public HotKeyRegistrar {
  public:
    explicit HotKeyWindow(std::function<void()> onHotKey);
    ~HotKeyWindow() override;

    bool Register(int id, int modifiers, int key) override;
    void Unregister(int id) override;

  protected:
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    std::function<void()> onHotKey_;
    std::vector<int> registered_;
};

}  // namespace tavero
