#pragma once

#include <string>

#include "platform/UserSettingsStore.h"
#include "settings/IniSettings.h"

namespace tavero {

// Where a capture box keeps its hotkey: chosen when the box is created, fixed afterwards.
struct StoreSettings {
    std::wstring iniFileName = kSettingsFileName;
    // 0: the settings file; kOwnersStore: nowhere, its owner keeps it; any other value: the
    // per-user store.
    int settingLocation = 0;
    static constexpr int kOwnersStore = -1;
    std::wstring regKeyName = L"Tavero";
};

struct StoredHotKey {
    std::wstring text;
    int keyCode = 0;     // -1 when the stored text is not a usable number
    int modKeyCode = 0;  // -1 likewise
};

// Reads and writes one box's three values (section "Tavero", keys BoxName + "Text",
// "KeyCode", "ModKeyCode") in the settings file or the per-user store.
class HotKeyStore {
  public:
    HotKeyStore(IniSettings& ini, UserSettingsStore& userStore, StoreSettings settings)
        : ini_(ini), userStore_(userStore), settings_(std::move(settings)) {}

    const StoreSettings& Settings() const { return settings_; }

    // In file mode this also points the program's settings path at the box's file.
    StoredHotKey Load(const std::wstring& boxName);
    // False when any of the three values could not be written.
    bool Save(const std::wstring& boxName, const std::wstring& text, int keyCode, int modKeyCode);

  private:
    std::wstring Read(const std::wstring& key, const std::wstring& fallback);
    bool UsesFile() const { return settings_.settingLocation == 0; }
    bool KeptByOwner() const { return settings_.settingLocation == StoreSettings::kOwnersStore; }

    IniSettings& ini_;
    UserSettingsStore& userStore_;
    StoreSettings settings_;
};

}  // namespace tavero
