#pragma once

#include <string>

#include "platform/KeyNames.h"

namespace tavero {

// Turns the keys pressed in a capture box into a hotkey: the main key, the modifier flags and
// the text the box shows ("Win + ", "Ctrl + ", "Alt + ", "Shift + ", then the key's name).
class HotKeyCapture {
  public:
    static constexpr const wchar_t* kEmptyText = L"Press Hotkey";

    explicit HotKeyCapture(const KeyNames& names) : names_(names) {}

    // A key went down with the given shift state (shift::kShift | kCtrl | kAlt).
    void KeyDown(int key, int shiftState);
    // A key went up: a capture of modifiers alone falls back to empty.
    void KeyUp(int key);

    // The empty state: "Press Hotkey", no key, no modifiers.
    void Clear();
    // A hotkey from the store: taken as it is when sound, otherwise the empty state.
    void Restore(const std::wstring& text, int keyCode, int modKeyCode);

    const std::wstring& Text() const { return text_; }
    int KeyCode() const { return keyCode_; }
    int ModKeyCode() const { return modKeyCode_; }

    static bool IsValidKeyCode(int key) { return key >= 1 && key <= 254; }
    static bool IsValidModKeyCode(int mods) { return mods >= 0 && mods <= 15; }

  private:
    bool WinKeyDown() const { return leftWinDown_ || rightWinDown_; }

    const KeyNames& names_;
    std::wstring text_ = kEmptyText;
    int keyCode_ = 0;
    int modKeyCode_ = 0;
    bool leftWinDown_ = false;
    bool rightWinDown_ = false;
};

}  // namespace tavero
