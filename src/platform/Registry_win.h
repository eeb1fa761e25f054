#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/RunKey.h"
#include "platform/UserSettingsStore.h"

namespace tavero {

// Values under HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>, where
// programs of this kind have always kept their per-user settings.
class RegistryUserSettingsStore : public UserSettingsStore {
  public:
    std::wstring Get(const std::wstring& app, const std::wstring& section, const std::wstring& key,
                     const std::wstring& fallback) override;
    bool Save(const std::wstring& app, const std::wstring& section, const std::wstring& key,
              const std::wstring& value) override;
};

// The user's Run list: HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run.
class RegistryRunKey : public RunKey {
  public:
    std::vector<std::pair<std::wstring, std::wstring>> Values() override;
    bool Set(const std::wstring& name, const std::wstring& command) override;
    bool Remove(const std::wstring& name) override;
};

}  // namespace tavero
