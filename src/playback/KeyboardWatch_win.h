#pragma once

#include <windows.h>

#include <functional>

#include "platform/KeyInjector.h"
#include "platform/Window_win.h"
#include "playback/HeldKeys.h"
#include "playback/RepeatHook_win.h"

namespace tavero {

// The user's keyboard as the program sees it around a playback, from two sources that cost
// nothing while no hotkey plays:
//  - raw keyboard input, heard on a hidden window while any row is armed: every key event the
//    system takes, the program's own told apart by its marker, in order. It tells which of the
//    hotkey's modifiers the user still holds when an action ends, and it cannot miss a release
//    that comes between the hotkey and the action, as a look at the key state could.
//  - a low-level keyboard hook (RepeatHook) that lives only from an action's presses to the
//    user's release of the hotkey's main key (or a moment after its last repeat), swallowing
//    that key's repeats.
// One of them, used on the user-interface thread.
class KeyboardWatch : public Window, public UserKeyboard {
  public:
    // Where the program presses a key back for the user after the user let go of it, the key
    // goes up again through `injector`.
    explicit KeyboardWatch(KeyInjector& injector);
    ~KeyboardWatch() override;

    void Listen(bool on) override;
    void CatchUp() override;
    Key StateOf(int key) const override { return held_.StateOf(key); }
    void PressingBack(int key) override { held_.PressingBack(key); }
    void SwallowRepeatsOf(int key) override;
    // What a hand on a keyboard does to `key`, heard from a keyboard device (every program's
    // injected keys come from none) since listening started.
    Key HandState(int key) const { return hands_.StateOf(key); }
    bool Listening() const { return listening_; }
    // Told of every key the user lets go of (any key-up that is not the program's own).
    std::function<void(int key)> onReleased;

  protected:
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void Heard(const RAWKEYBOARD& event, bool fromDevice);

    KeyInjector& injector_;
    HeldKeys held_;
    HeldKeys hands_;
    RepeatHook repeats_;
    bool listening_ = false;
};

}  // namespace tavero
