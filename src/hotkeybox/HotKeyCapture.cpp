#include "hotkeybox/HotKeyCapture.h"

#include <utility>

#include "platform/DecimalText.h"
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
        return tavero::Text(TAVERO_TEXT_FUNCTION_KEY, {DecimalText(key - kF13 + 13)});
    }
    if (key >= kBrowserBack && key <= kLaunchApp2) {
        return tavero::Text(TAVERO_TEXT_FIRST_NAMELESS_KEY + key - kBrowserBack);
    }
    return tavero::Text(TAVERO_TEXT_NUMBERED_KEY, {DecimalText(key)});
}

HotKeyCapture::Outcome HotKeyCapture::KeyDown(int key, int shiftState, bool winDown) {
    bool alt = (shiftState & shift::kAlt) != 0;
    // Alt+Tab and Win+Tab switch windows; Windows never lets them reach a program, and where
    // they do arrive they are not meant as a hotkey.
    if (key == vk::kTab && (alt || winDown)) {
        return Outcome::Ignored;
    }
    int mods = (winDown ? mod::kWin : 0) | ((shiftState & shift::kCtrl) ? mod::kCtrl : 0) |
               (alt ? mod::kAlt : 0) | ((shiftState & shift::kShift) ? mod::kShift : 0);
    if (IsModifierKey(key)) {
        preview_ = ModifiersText(mods);
        previewing_ = true;
        return Outcome::Previewed;
    }
    text_ = TextOf(key, mods);
    keyCode_ = key;
    modKeyCode_ = mods;
    previewing_ = false;
    return Outcome::Captured;
}

std::wstring HotKeyCapture::ModifiersText(int mods) {
    std::wstring text;
    // Win, Ctrl, Alt, Shift: the order a hotkey is always written in.
    constexpr std::pair<int, int> kOrder[] = {{mod::kWin, TAVERO_TEXT_WIN_PLUS},
                                              {mod::kCtrl, TAVERO_TEXT_CTRL_PLUS},
                                              {mod::kAlt, TAVERO_TEXT_ALT_PLUS},
                                              {mod::kShift, TAVERO_TEXT_SHIFT_PLUS}};
    for (auto [flag, words] : kOrder) {
        if (mods & flag) {
            text += tavero::Text(words);
        }
    }
    return text;
}

std::wstring HotKeyCapture::TextOf(int key, int mods) const {
    std::wstring name = names_.NameOf(key);
    return ModifiersText(mods) + (name.empty() ? FallbackKeyName(key) : name);
}

void HotKeyCapture::Set(int keyCode, int modKeyCode) {
    if (IsValidKeyCode(keyCode) && IsValidModKeyCode(modKeyCode)) {
        Restore(TextOf(keyCode, modKeyCode), keyCode, modKeyCode);
    } else {
        Clear();
    }
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
