#include "rows/PauseKey.h"

#include <string>

#include "hotkeybox/HotKeyCapture.h"
#include "platform/DecimalText.h"
#include "rows/StartArming.h"

namespace tavero {

namespace {
constexpr const wchar_t* kKeyCode = L"PauseKeyCode";
constexpr const wchar_t* kModKeyCode = L"PauseModKeyCode";
constexpr int kLimit = 1 << 20;
}  // namespace

bool PauseKey::Load() {
    const wchar_t* section = StartArming::kSection;
    int key = ParseDecimal(ini_.ReadIniValue(section, kKeyCode, L""), kLimit).value_or(0);
    int mods = ParseDecimal(ini_.ReadIniValue(section, kModKeyCode, L""), kLimit).value_or(0);
    // Anything that is no hotkey is none, as in the rows.
    if (!HotKeyCapture::IsValidKeyCode(key) || !HotKeyCapture::IsValidModKeyCode(mods)) {
        return true;
    }
    keyCode_ = key;
    modKeyCode_ = mods;
    taken_ = registrar_.Register(kHotKeyId, mods, key);
    return taken_;
}

PauseKey::SetResult PauseKey::Set(int keyCode, int modKeyCode) {
    if (keyCode == keyCode_ && modKeyCode == modKeyCode_ && (taken_ || keyCode == 0)) {
        return SetResult::Done;
    }
    if (keyCode != 0 && !registrar_.Register(kHotKeyId + 1, modKeyCode, keyCode)) {
        return SetResult::Taken;
    }
    // Taken under a second identifier while the old one still held its own, so that a refusal
    // leaves the old one as it was; then moved to the one identifier.
    registrar_.Unregister(kHotKeyId);
    registrar_.Unregister(kHotKeyId + 1);
    taken_ = keyCode != 0 && registrar_.Register(kHotKeyId, modKeyCode, keyCode);
    keyCode_ = keyCode;
    modKeyCode_ = keyCode != 0 ? modKeyCode : 0;
    const IniValue values[] = {
        {StartArming::kSection, kKeyCode, DecimalText(keyCode_)},
        {StartArming::kSection, kModKeyCode, DecimalText(modKeyCode_)},
    };
    return ini_.WriteIniValues(values) ? SetResult::Done : SetResult::NotSaved;
}

}  // namespace tavero
