#pragma once

#include <span>
#include <string>

namespace tavero {

// INI files through the platform's profile functions.
class ProfileFile {
  public:
    virtual ~ProfileFile() = default;
    // Copies the value (or `fallback` when the key is missing) into `buffer`, cut to fit with
    // its terminating NUL; returns the number of characters copied, 0 for an empty value.
    virtual std::size_t GetString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& fallback, std::span<wchar_t> buffer,
                                  const std::wstring& path) = 0;
    // Creates or replaces the value; false when the file could not be written.
    virtual bool WriteString(const std::wstring& section, const std::wstring& key,
                             const std::wstring& value, const std::wstring& path) = 0;
};

}  // namespace tavero
