#include "hotkeybox/HotKeyStore.h"

#include "hotkeybox/HotKeyCapture.h"
#include "platform/DecimalText.h"

namespace tavero {

namespace {
constexpr const wchar_t* kSection = L"Tavero";
// Large enough for any key or modifier value; anything longer is not a hotkey.
constexpr int kParseLimit = 1 << 20;

int ParseStoredNumber(const std::wstring& text) {
    return ParseDecimal(text, kParseLimit).value_or(-1);
}
}  // namespace

StoredHotKey HotKeyStore::Load(const std::wstring& boxName) {
    if (KeptByOwner()) {
        return {HotKeyCapture::EmptyText(), 0, 0};
    }
    if (UsesFile()) {
        ini_.BuildIniPath(settings_.iniFileName);
    }
    StoredHotKey stored;
    stored.text = Read(boxName + L"Text", HotKeyCapture::EmptyText());
    stored.keyCode = ParseStoredNumber(Read(boxName + L"KeyCode", L"0"));
    stored.modKeyCode = ParseStoredNumber(Read(boxName + L"ModKeyCode", L"0"));
    return stored;
}

bool HotKeyStore::Save(const std::wstring& boxName, const std::wstring& text, int keyCode,
                       int modKeyCode) {
    if (KeptByOwner()) {
        return true;
    }
    const IniValue values[] = {
        {kSection, boxName + L"Text", text},
        {kSection, boxName + L"KeyCode", DecimalText(keyCode)},
        {kSection, boxName + L"ModKeyCode", DecimalText(modKeyCode)},
    };
    if (UsesFile()) {
        return ini_.WriteIniValues(values);  // the three together or none
    }
    bool ok = true;
    for (const IniValue& v : values) {
        ok = userStore_.Save(settings_.regKeyName, kSection, v.key, v.value) && ok;
    }
    return ok;
}

std::wstring HotKeyStore::Read(const std::wstring& key, const std::wstring& fallback) {
    if (UsesFile()) {
        return ini_.ReadIniValue(kSection, key, fallback);
    }
    return userStore_.Get(settings_.regKeyName, kSection, key, fallback);
}

}  // namespace tavero
