#pragma once

#include <string>

namespace tavero {

// The per-user application settings area: (application, section, key) -> text.
class UserSettingsStore {
  public:
    virtual ~UserSettingsStore() = default;
    virtual std::wstring Get(const std::wstring& app, const std::wstring& section,
                             const std::wstring& key, const std::wstring& fallback) = 0;
    virtual bool Save(const std::wstring& app, const std::wstring& section, const std::wstring& key,
                      const std::wstring& value) = 0;
};

}  // namespace tavero
