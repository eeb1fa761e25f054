#include "hotkeybox/HotKeyCapture.h"

#include "platform/Keys.h"

namespace tavero {

namespace {

bool IsModifierKey(int key) {
    return key == vk::kShift || key == vk::kControl || key == vk::kMenu || key == vk::kLWin ||
           key == vk::kRWin;
}

}  // namespace

void HotKeyCapture::KeyDown(int key, int shiftState) {
    // Either Windows key counts as Win; the shift state does not report it.
    if (key == vk::kLWin) {
        leftWinDown_ = true;
    } else if (key == vk::kRWin) {
        rightWinDown_ = true;
    }

    std::wstring text;
    int mods = 0;
    if (WinKeyDown()) {
        text += L"Win + ";
        mods |= mod::kWin;
    }
    if (shiftState & shift::kCtrl) {
        text += L"Ctrl + ";
        mods |= mod::kCtrl;
    }
    if (shiftState & shift::kAlt) {
        text += L"Alt + ";
        mods |= mod::kAlt;
    }
    if (shiftState & shift::kShift) {
        text += L"Shift + ";
        mods |= mod::kShift;
    }

    if (IsModifierKey(key)) {
        keyCode_ = 0;
    } else {
        text += names_.NameOf(key);
        keyCode_ = key;
    }
    modKeyCode_ = mods;
    text_ = std::move(text);
}

void HotKeyCapture::KeyUp(int key) {
    if (key == vk::kLWin) {
        leftWinDown_ = false;
    } else if (key == vk::kRWin) {
        rightWinDown_ = false;
    }
    if (keyCode_ == 0) {
        text_ = kEmptyText;
        modKeyCode_ = 0;
    }
}

void HotKeyCapture::Clear() {
    text_ = kEmptyText;
    keyCode_ = 0;
    modKeyCode_ = 0;
}

void HotKeyCapture::Restore(const std::wstring& text, int keyCode, int modKeyCode) {
    if (!IsValidKeyCode(keyCode) || !IsValidModKeyCode(modKeyCode)) {
        Clear();
        return;
    }
    text_ = text;
    keyCode_ = keyCode;
    modKeyCode_ = modKeyCode;
}

}  // namespace tavero
