#pragma once

#include <functional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/ProgramFolder.h"

namespace tavero {

// `name` in `folder`; a folder that ends in a separator (a drive's root, "C:\") keeps that one.
inline std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

// Where the settings file is kept, chosen once at start: beside the exe, as a portable copy
// has it; but where there is no settings file there and this user cannot write there (a
// program installed under C:\Program Files), in a folder of the user's own, so that the user
// can keep hotkeys at all. A settings file beside the exe is the one, writable or not; nothing
// is ever copied or moved between the two places.
struct SettingsFolder {
    std::wstring path;
    bool perUser = false;
};

// `perUserFolder` names the user's own folder for the program, or nothing where there is none;
// it is asked only when needed. The user's folder is made when it is chosen.
SettingsFolder ChooseSettingsFolder(const std::wstring& exeFolder, const std::wstring& fileName,
                                    FileSystem& files,
                                    const std::function<std::wstring()>& perUserFolder);

// A folder given once, as the settings file's folder is.
class FixedFolder : public ProgramFolder {
  public:
    explicit FixedFolder(std::wstring path) : path_(std::move(path)) {}
    std::wstring Path() const override { return path_; }

  private:
    std::wstring path_;
};

}  // namespace tavero
