#include "hotkeybox/HotKeyCapture.h"

#include "platform/Keys.h"

namespace tavero {

std::wstring FallbackKeyName(int key) {
    // Keys that many layouts give no name: the function keys past F12, the browser, volume,
    // media and launch keys.
    constexpr int kF13 = 0x7C;
    constexpr int kF24 = 0x87;
    constexpr int kBrowserBack = 0xA6;
    constexpr int kLaunchApp2 = 0xB7;
    if (key >= kF13 && key <= kF24) {
        return tavero::Text(TAVERO_TEXT_FUNCTION_KEY, {std::to_wstring(key - kF13 + 13)});
    }
    if (key >= kBrowserBack && key <= kLaunchApp2) {
        return tavero::Text(TAVERO_TEXT_FIRST_NAMELESS_KEY + key - kBrowserBack);
    }
    return tavero::Text(TAVERO_TEXT_NUMBERED_KEY, {std::to_wstring(key)});
}

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
        text += tavero::Text(TAVERO_TEXT_WIN_PLUS);
        mods |= mod::kWin;
    }
    if (shiftState & shift::kCtrl) {
        text += tavero::Text(TAVERO_TEXT_CTRL_PLUS);
        mods |= mod::kCtrl;
    }
    if (alt) {
        text += tavero::Text(TAVERO_TEXT_ALT_PLUS);
        mods |= mod::kAlt;
    }
    if (shiftState & shift::kShift) {
        text += tavero::Text(TAVERO_TEXT_SHIFT_PLUS);
        mods |= mod::kShift;
    }

    if (IsModifierKey(key)) {
        preview_ = std::move(text);
        previewing_ = true;
        return Outcome::Previewed;
    }
    std::wstring name = names_.NameOf(key);
    text_ = std::move(text) + (name.empty() ? FallbackKeyName(key) : name);
    keyCode_ = key;
    modKeyCode_ = mods;
    previewing_ = false;
    return Outcome::Captured;
}

std::wstring HotKeyCapture::TypingClash() const {
    if ((modKeyCode_ & (mod::kCtrl | mod::kAlt | mod::kWin)) != (mod::kCtrl | mod::kAlt)) {
        return {};
    }
    std::wstring typed = names_.TypedWithCtrlAlt(keyCode_, (modKeyCode_ & mod::kShift) != 0);
    return typed.empty() ? typed : tavero::Text(TAVERO_TEXT_TYPES_CHARACTER, {text_, typed});
}

void HotKeyCapture::KeyUp() {
    previewing_ = false;
}

void HotKeyCapture::Clear() {
    text_ = EmptyText();
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
