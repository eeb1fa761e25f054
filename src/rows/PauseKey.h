#pragma once

#include "platform/HotKeyRegistrar.h"
#include "settings/IniSettings.h"

namespace tavero {

// A hotkey of its own that pauses the hotkeys from anywhere, and resumes them: it stays taken
// while they are paused. None at first. Kept with the options (PauseKeyCode and PauseModKeyCode,
// in the rows' encoding), written as soon as it is set.
class PauseKey {
  public:
    PauseKey(IniSettings& ini, HotKeyRegistrar& registrar) : ini_(ini), registrar_(registrar) {}

    // Reads it from the settings file, and takes it; false where another program holds it (it is
    // kept, and taken again only once set again).
    bool Load();
    // A new pause key (key 0: none): taken, then kept. Taken where another program or one of
    // the rows holds it already: the pause key then stays as it was. NotSaved where the file
    // could not be written (the key works until the program ends).
    enum class SetResult { Done, Taken, NotSaved };
    SetResult Set(int keyCode, int modKeyCode);
    int KeyCode() const { return keyCode_; }
    int ModKeyCode() const { return modKeyCode_; }
    // Whether it is set, whether taken or not.
    bool IsSet() const { return keyCode_ != 0; }

    static constexpr int kHotKeyId = 1;

  private:
    IniSettings& ini_;
    HotKeyRegistrar& registrar_;
    int keyCode_ = 0;
    int modKeyCode_ = 0;
    bool taken_ = false;
};

}  // namespace tavero
