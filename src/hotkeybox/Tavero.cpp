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

void Tavero::Show(int keyCode, int modKeyCode) {
    capture_.Set(keyCode, modKeyCode);
    ShowCapture();
}

void Tavero::Clear() {
    capture_.Clear();
    edited_ = true;
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
        hotKeyEnabled_ = false;
        Hold();
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
            RefuseAsTaken();
            return;
    }
}

void Tavero::RefuseAsTaken() {
    messages_.ShowError(tavero::Text(TAVERO_TEXT_ERROR_TITLE), tavero::Text(TAVERO_TEXT_TAKEN));
    Clear();
}

Tavero::ArmResult Tavero::TryArm() {
    if (capture_.KeyCode() == 0) {
        return ArmResult::NoHotKey;
    }
    // The combination is checked even where the box will not hold it now (paused, or out of
    // the program in front), then let go again until it does.
    if (!registered_ &&
        !registrar_.Register(kHotKeyId, capture_.ModKeyCode(), capture_.KeyCode())) {
        return ArmResult::Taken;
    }
    registered_ = true;
    hotKeyEnabled_ = true;
    Hold();
    return ArmResult::Armed;
}

Tavero::ArmResult Tavero::ArmSharing() {
    if (capture_.KeyCode() == 0) {
        return ArmResult::NoHotKey;
    }
    hotKeyEnabled_ = true;
    inScope_ = false;  // its owner says when it holds the combination
    return ArmResult::Armed;
}

bool Tavero::Hold() {
    bool wanted = hotKeyEnabled_ && !paused_ && inScope_;
    if (wanted == registered_) {
        return true;
    }
    if (!wanted) {
        registrar_.Unregister(kHotKeyId);
        registered_ = false;
        return true;
    }
    registered_ = registrar_.Register(kHotKeyId, capture_.ModKeyCode(), capture_.KeyCode());
    if (!registered_) {
        // Another program took the combination while the box let it go: the box is disarmed and
        // keeps its hotkey, for the user to arm again once it is free.
        hotKeyEnabled_ = false;
    }
    return registered_;
}

bool Tavero::SetPaused(bool paused) {
    paused_ = paused;
    return Hold();
}

bool Tavero::SetInScope(bool inScope) {
    inScope_ = inScope;
    return Hold();
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
