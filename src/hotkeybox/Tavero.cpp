#include "hotkeybox/Tavero.h"

#include "platform/Keys.h"
#include "platform/RunTimeError.h"
#include "platform/Texts.h"

namespace tavero {

Tavero::Tavero(std::wstring name, HotKeyRegistrar& registrar, const KeyNames& names,
               MessageBoxes& messages, HotKeyStore store)
    : name_(std::move(name)),
      registrar_(registrar),
      messages_(messages),
      store_(std::move(store)),
      capture_(names) {}

void Tavero::AttachView(TaveroView* view) {
    view_ = view;
    ShowCapture();
}

void Tavero::Load() {
    StoredHotKey stored = store_.Load(name_);
    capture_.Restore(stored.text, stored.keyCode, stored.modKeyCode);
    ShowCapture();
}

void Tavero::KeyDown(int& key, int& shiftState, bool winDown, bool repeat) {
    if (key == vk::kApps) {
        key = 0;
        return;
    }
    if (key == vk::kPacket) {
        return;
    }
    if (events_.keyDown) {
        events_.keyDown(key, shiftState);
    }
    if (repeat) {
        return;
    }
    bool captured = capture_.KeyDown(key, shiftState, winDown) == HotKeyCapture::Outcome::Captured;
    edited_ = edited_ || captured;
    if (captured && hotKeyEnabled_) {
        SetHotKeyEnabled(false);
        if (events_.hotKeyDisarmed) {
            events_.hotKeyDisarmed();
        }
    }
    ShowCapture();
}

void Tavero::KeyUp(int& key, int& shiftState) {
    capture_.KeyUp();
    ShowCapture();
    if (events_.keyUp) {
        events_.keyUp(key, shiftState);
    }
}

void Tavero::FocusLost() {
    capture_.EndPreview();
    ShowCapture();
}

void Tavero::RaiseEvents() {
    if (events_.hotKeyPressed) {
        events_.hotKeyPressed();
    }
}

void Tavero::SetHotKeyEnabled(bool enabled) {
    if (enabled == hotKeyEnabled_) {
        return;
    }
    if (!enabled) {
        if (!paused_) {
            registrar_.Unregister(kHotKeyId);
        }
        hotKeyEnabled_ = false;
        return;
    }
    switch (TryArm()) {
        case ArmResult::Armed:
            return;
        case ArmResult::NoHotKey:
            messages_.ShowError(tavero::Text(TAVERO_TEXT_ERROR_TITLE),
                                tavero::Text(TAVERO_TEXT_NOT_SET));
            return;
        case ArmResult::Taken:
            messages_.ShowError(tavero::Text(TAVERO_TEXT_ERROR_TITLE),
                                tavero::Text(TAVERO_TEXT_TAKEN));
            capture_.Clear();
            edited_ = true;
            ShowCapture();
            return;
    }
}

Tavero::ArmResult Tavero::TryArm() {
    if (capture_.KeyCode() == 0) {
        return ArmResult::NoHotKey;
    }
    // Paused, the combination is checked, then let go again until the pause ends.
    if (!registrar_.Register(kHotKeyId, capture_.ModKeyCode(), capture_.KeyCode())) {
        return ArmResult::Taken;
    }
    if (paused_) {
        registrar_.Unregister(kHotKeyId);
    }
    hotKeyEnabled_ = true;
    return ArmResult::Armed;
}

bool Tavero::SetPaused(bool paused) {
    if (paused == paused_) {
        return true;
    }
    paused_ = paused;
    if (!hotKeyEnabled_) {
        return true;
    }
    if (paused) {
        registrar_.Unregister(kHotKeyId);
        return true;
    }
    if (registrar_.Register(kHotKeyId, capture_.ModKeyCode(), capture_.KeyCode())) {
        return true;
    }
    // Another program took the combination during the pause: the box is disarmed and keeps its
    // hotkey, for the user to arm again once it is free.
    hotKeyEnabled_ = false;
    return false;
}

bool Tavero::SaveSettings() {
    return store_.Save(name_, capture_.HotKeyText(), capture_.KeyCode(), capture_.ModKeyCode());
}

void Tavero::SetINIFileName(const std::wstring&) {
    RefuseDesignTimeSetting(L"INIFileName");
}
void Tavero::SetSettingLocation(int) {
    RefuseDesignTimeSetting(L"SettingLocation");
}
void Tavero::SetRegKeyName(const std::wstring&) {
    RefuseDesignTimeSetting(L"RegKeyName");
}

void Tavero::RefuseDesignTimeSetting(const wchar_t* property) const {
    throw RunTimeError(
        kErrSetNotSupportedAtRunTime, L"Tavero",
        std::wstring(L"'") + property + L"' can be set only when the box is created");
}

void Tavero::ShowCapture() {
    if (view_ != nullptr) {
        view_->ShowText(capture_.Text());
        view_->MoveCaretToEnd();
    }
}

}  // namespace tavero
