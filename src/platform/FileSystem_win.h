#pragma once

#include <windows.h>

#include "platform/FileSystem.h"

namespace tavero {

// Files the way the system replaces them: ReplaceFileW where the file exists (it keeps the
// file's attributes and security), a rename where it does not.
class Win32FileSystem : public FileSystem {
  public:
    int Read(const std::wstring& path, std::string& bytes, std::size_t largest) override;
    int Create(const std::wstring& path, std::string_view bytes) override;
    int Replace(const std::wstring& replacement, const std::wstring& path) override;
    int Move(const std::wstring& from, const std::wstring& to) override;
    int Overwrite(const std::wstring& path, std::string_view bytes, bool& begun) override;
    int NameCount(const std::wstring& path) override;
    int WhyUnchangeable(const std::wstring& path) override;
    void Remove(const std::wstring& path) override;
    void RemoveAll(const std::wstring& pattern) override;
    std::wstring FinalPath(const std::wstring& path) override;
    bool ReadOnly(const std::wstring& path) override;
    bool Exists(const std::wstring& path) override;
    int CreateFolder(const std::wstring& path) override;
    void Pause(int milliseconds) override;
    std::wstring Describe(int error) const override;
};

// Where `path` leads, through links and the like (Win32FileSystem::FinalPath).
inline std::wstring FinalPathOf(const std::wstring& path) {
    return Win32FileSystem().FinalPath(path);
}

}  // namespace tavero
