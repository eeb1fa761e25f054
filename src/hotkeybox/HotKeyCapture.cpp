#include "hotkeybox/HotKeyCapture.h"

#include "platform/Keys.h"

namespace tavero {

std::wstring FallbackKeyName(int key) {
    // Keys that many layouts give no name: the function keys past F12, the browser, volume,
    // media and launch keys.
    static constexpr const wchar_t* kNamed[] = {
        L"Browser Back", L"Browser Forward",  L"Browser Refresh",
        L"Browser Stop", L"Browser Search",   L"Browser Favorites",
        L"Browser Home", L"Volume Mute",      L"Volume Down",
        L"Volume Up",    L"Next Track",       L"Previous Track",
        L"Stop Media",   L"Play/Pause Media", L"Mail",
        L"Select Media", L"Launch App 1",     L"Launch App 2",
    };
    constexpr int kF13 = 0x7C;
    constexpr int kF24 = 0x87;
    constexpr int kBrowserBack = 0xA6;
    constexpr int kLaunchApp2 = 0xB7;
    if (key >= kF13 && key <= kF24) {
        return L"F" + std::to_wstring(key - kF13 + 13);
    }
    if (key >= kBrowserBack && key <= kLaunchApp2) {
        return kNamed[key - kBrowserBack];
    }
    return L"Key " + std::to_wstring(key);
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
    return typed.empty() ? typed : L"On this keyboard " + text_ + L" types " + typed;
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
