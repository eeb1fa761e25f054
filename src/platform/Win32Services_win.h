#pragma once

#include <windows.h>

#include "platform/FileSystem.h"
#include "platform/KeyNames.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"
#include "platform/RunKey.h"
#include "platform/ShellOpener.h"
#include "platform/UserSettingsStore.h"

namespace tavero {

class Win32KeyNames : public KeyNames {
  public:
    std::wstring NameOf(int key) const override;
    std::wstring TypedWithCtrlAlt(int key, bool shift) const override;
};

class Win32MessageBoxes : public MessageBoxes {
  public:
    // Boxes are owned by `owner` when one is given, so they stay above the program's windows.
    explicit Win32MessageBoxes(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    void ShowError(const std::wstring& title, const std::wstring& text) override;
    AfterFailedSave AskAfterFailedSave(const std::wstring& title,
                                       const std::wstring& text) override;

  private:
    HWND owner_;
};

// Files the way the system replaces them: ReplaceFileW where the file exists (it keeps the
// file's attributes and security), a rename where it does not.
class Win32FileSystem : public FileSystem {
  public:
    int Read(const std::wstring& path, std::string& bytes, std::size_t largest) override;
    int Create(const std::wstring& path, std::string_view bytes) override;
    int Replace(const std::wstring& replacement, const std::wstring& path) override;
    void Remove(const std::wstring& path) override;
    void RemoveAll(const std::wstring& pattern) override;
    std::wstring FinalPath(const std::wstring& path) override;
    bool ReadOnly(const std::wstring& path) override;
    bool Exists(const std::wstring& path) override;
    int CreateFolder(const std::wstring& path) override;
    void Pause(int milliseconds) override;
    std::wstring Describe(int error) const override;
};

class Win32AnsiCodePage : public AnsiCodePage {
  public:
    std::wstring Decode(std::string_view bytes) const override;
    std::string Encode(std::wstring_view text) const override;
};

// Values under HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>, where
// programs of this kind have always kept their per-user settings.
class RegistryUserSettingsStore : public UserSettingsStore {
  public:
    std::wstring Get(const std::wstring& app, const std::wstring& section, const std::wstring& key,
                     const std::wstring& fallback) override;
    bool Save(const std::wstring& app, const std::wstring& section, const std::wstring& key,
              const std::wstring& value) override;
};

// "open" through the shell, on behalf of the window that holds the link; the result is not
// examined: a page that cannot be opened is not an error of ours.
class ShellExecuteOpener : public ShellOpener {
  public:
    explicit ShellExecuteOpener(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    void Open(const std::wstring& address) override;

  private:
    HWND owner_;
};

// The user's Run list: HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run.
class RegistryRunKey : public RunKey {
  public:
    std::vector<std::pair<std::wstring, std::wstring>> Values() override;
    bool Set(const std::wstring& name, const std::wstring& command) override;
    bool Remove(const std::wstring& name) override;
};

// The program's exe, by its full path.
std::wstring ExePath();

class ExeFolder : public ProgramFolder {
  public:
    std::wstring Path() const override;
};

// The folder of the program's name in the user's roaming application data, where the settings
// are kept when the exe's own folder cannot be written; empty when the system cannot say.
std::wstring PerUserSettingsFolder();

}  // namespace tavero
