#include "hotkeybox/HotKeyCapture.h"

#include "platform/Keys.h"

namespace tavero {

HotKeyCapture::Outcome HotKeyCapture::KeyDown(int key, int shiftState, bool winDown) {
    bool alt = (shiftState & shift::kAlt) != 0;
    // Alt+Tab and Win+Tab switch windows; Windows never lets them reach a program, and where
    // they do arrive they are not meant as a hotkey.
    if (key == vk::kTab && (alt || winDown)) {
        return Outcome::Ignored;
    }
    std::wstring text;
    int mods = 0;
    if (winDown) {
        text += L"Win + ";
        mods |= mod::kWin;
    }
    if (shiftState & shift::kCtrl) {
        text += L"Ctrl + ";
        mods |= mod::kCtrl;
    }
    if (alt) {
        text += L"Alt + ";
        mods |= mod::kAlt;
    }
    if (shiftState & shift::kShift) {
        text += L"Shift + ";
        mods |= mod::kShift;
    }

    if (IsModifierKey(key)) {
        preview_ = std::move(text);
        previewing_ = true;
        return Outcome::Previewed;
    }
    text_ = std::move(text) + names_.NameOf(key);
    keyCode_ = key;
    modKeyCode_ = mods;
    previewing_ = false;
    return Outcome::Captured;
}

void HotKeyCapture::KeyUp() {
    previewing_ = false;
}

void HotKeyCapture::Clear() {
    text_ = kEmptyText;
    keyCode_ = 0;
    modKeyCode_ = 0;
    previewing_ = false;
}

void HotKeyCapture::Restore(const std::wstring& text, int keyCode, int modKeyCode) {
    if (!IsValidKeyCode(keyCode) || !IsValidModKeyCode(modKeyCode)) {
        Clear();
        return;
    }
    text_ = text;
    keyCode_ = keyCode;
    modKeyCode_ = modKeyCode;
    previewing_ = false;
}

}  // namespace tavero
