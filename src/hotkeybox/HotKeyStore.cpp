#include "hotkeybox/HotKeyStore.h"

#include "hotkeybox/DecimalText.h"
#include "hotkeybox/HotKeyCapture.h"

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
    if (UsesFile()) {
        ini_.BuildIniPath(settings_.iniFileName);
    }
    StoredHotKey stored;
    stored.text = Read(boxName + L"Text", HotKeyCapture::kEmptyText);
    stored.keyCode = ParseStoredNumber(Read(boxName + L"KeyCode", L"0"));
    stored.modKeyCode = ParseStoredNumber(Read(boxName + L"ModKeyCode", L"0"));
    return stored;
}

bool HotKeyStore::Save(const std::wstring& boxName, const std::wstring& text, int keyCode,
                       int modKeyCode) {
    // All three writes are tried even when one fails, so as much as possible is kept.
    bool ok = Write(boxName + L"Text", text);
    ok = Write(boxName + L"KeyCode", std::to_wstring(keyCode)) && ok;
    ok = Write(boxName + L"ModKeyCode", std::to_wstring(modKeyCode)) && ok;
    return ok;
}

std::wstring HotKeyStore::Read(const std::wstring& key, const std::wstring& fallback) {
    if (UsesFile()) {
        return ini_.ReadIniValue(kSection, key, fallback);
    }
    return userStore_.Get(settings_.regKeyName, kSection, key, fallback);
}

bool HotKeyStore::Write(const std::wstring& key, const std::wstring& value) {
    if (UsesFile()) {
        return ini_.WriteIniValue(kSection, key, value);
    }
    return userStore_.Save(settings_.regKeyName, kSection, key, value);
}

}  // namespace tavero
