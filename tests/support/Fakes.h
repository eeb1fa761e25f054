#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/HotKeyRegistrar.h"
#include "platform/KeyNames.h"
#include "platform/MessageBoxes.h"
#include "platform/ProcessIntegrity.h"
#include "platform/ProgramFolder.h"
#include "platform/Programs.h"
#include "platform/RunKey.h"
#include "platform/Ticker.h"
#include "platform/UserSettingsStore.h"
#include "settings/IniSettings.h"

namespace tavero::testing {

// The system's table of hotkeys: a combination can be registered once, by any window.
class FakeHotKeySystem {
  public:
    bool Take(int modifiers, int key) { return taken_.insert({modifiers, key}).second; }
    void Release(int modifiers, int key) { taken_.erase({modifiers, key}); }
    bool IsTaken(int modifiers, int key) const { return taken_.count({modifiers, key}) != 0; }
    std::size_t Count() const { return taken_.size(); }

  private:
    std::set<std::pair<int, int>> taken_;
};

// One window's registrations, as the system keeps them: per identifier.
class FakeHotKeyRegistrar : public HotKeyRegistrar {
  public:
    explicit FakeHotKeyRegistrar(FakeHotKeySystem& system) : system_(system) {}
    ~FakeHotKeyRegistrar() override {
        for (auto& [id, combo] : byId_) {
            system_.Release(combo.first, combo.second);
        }
    }

    bool Register(int id, int modifiers, int key) override {
        ++calls;
        if (key <= 0 || key > 254 || byId_.count(id) != 0 || !system_.Take(modifiers, key)) {
            return false;
        }
        byId_[id] = {modifiers, key};
        return true;
    }
    void Unregister(int id) override {
        ++calls;
        auto it = byId_.find(id);
        if (it != byId_.end()) {
            system_.Release(it->second.first, it->second.second);
            byId_.erase(it);
        }
    }
    bool Holds(int id) const { return byId_.count(id) != 0; }

    int calls = 0;

  private:
    FakeHotKeySystem& system_;
    std::map<int, std::pair<int, int>> byId_;
};

// Names like the platform's for the keys the tests use; no name, as on some layouts, for F13 to
// F24, the browser, media and launch keys, and code 255.
class FakeKeyNames : public KeyNames {
  public:
    std::wstring NameOf(int key) const override {
        if ((key >= 124 && key <= 135) || (key >= 166 && key <= 183) || key == 255) {
            return L"";
        }
        if (key >= 'A' && key <= 'Z') {
            return std::wstring(1, static_cast<wchar_t>(key));
        }
        if (key >= 112 && key <= 123) {
            return L"F" + std::to_wstring(key - 111);
        }
        switch (key) {
            case 8:
                return L"Backspace";
            case 37:
                return L"Left";
            case 100:
                return L"Num 4";
            default:
                return L"Key" + std::to_wstring(key);
        }
    }
    // As a German layout: AltGr (Ctrl + Alt) + Q types @, + E types the euro sign.
    std::wstring TypedWithCtrlAlt(int key, bool shift) const override {
        if (shift) {
            return L"";
        }
        return key == 'Q' ? L"@" : key == 'E' ? L"\u20AC" : L"";
    }
};

// Records what it shows; asked after a failed save, it gives the next of `answers` (quitting
// anyway when there are none left).
class FakeMessageBoxes : public MessageBoxes {
  public:
    void ShowError(const std::wstring& title, const std::wstring& text) override {
        shown.emplace_back(title, text);
    }
    AfterFailedSave AskAfterFailedSave(const std::wstring& title,
                                       const std::wstring& text) override {
        shown.emplace_back(title, text);
        if (answers.empty()) {
            return AfterFailedSave::QuitAnyway;
        }
        AfterFailedSave answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    std::vector<std::pair<std::wstring, std::wstring>> shown;
    std::vector<AfterFailedSave> answers;
};

class FakeProgramFolder : public ProgramFolder {
  public:
    explicit FakeProgramFolder(std::wstring path) : path_(std::move(path)) {}
    std::wstring Path() const override { return path_; }
    void Set(std::wstring path) { path_ = std::move(path); }

  private:
    std::wstring path_;
};

// Files in memory. Reads, writes and replacements can fail with a system error, a replacement a
// number of times only (another program holding the file for a while); a write can fall short
// at any byte. Links lead to other paths; files can be marked read-only; a name can be a folder.
class FakeFileSystem : public FileSystem {
  public:
    int Read(const std::wstring& path, std::string& bytes, std::size_t largest) override {
        std::wstring target = FinalPath(path);
        if (auto it = readErrors.find(target); it != readErrors.end()) {
            return it->second;
        }
        auto it = files.find(target);
        if (it == files.end()) {
            return kFileNotFound;
        }
        if (it->second.size() > largest) {
            return kFileTooLarge;
        }
        bytes = it->second;
        return 0;
    }
    int Create(const std::wstring& path, std::string_view bytes) override {
        ++creates;
        std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
        if (folders.count(path) != 0 || readOnlyFolders.count(folder) != 0) {
            return kAccessDenied;
        }
        if (files.count(path) != 0) {
            return kFileExists;
        }
        if (createError != 0) {
            return createError;
        }
        if (writeLimit && *writeLimit < bytes.size()) {
            return kDiskFull;  // the half-written file goes with the error
        }
        files[path] = std::string(bytes);
        return 0;
    }
    int Replace(const std::wstring& replacement, const std::wstring& path) override {
        ++replaces;
        if (replaceError != 0 && replaceErrorTimes > 0) {
            --replaceErrorTimes;
            return replaceError;
        }
        return Move(replacement, path);  // a second name keeps the old content, as on a disk
    }
    int Move(const std::wstring& from, const std::wstring& to) override {
        auto it = files.find(from);
        if (it == files.end()) {
            return kFileNotFound;
        }
        files[to] = std::move(it->second);
        files.erase(it);
        return 0;
    }
    // Every name of the file sees what is written; a fault cuts the write in half.
    int Overwrite(const std::wstring& path, std::string_view bytes, bool& begun) override {
        begun = false;
        if (files.count(path) == 0) {
            return kFileNotFound;
        }
        if (overwriteError != 0) {
            return overwriteError;
        }
        begun = true;
        bool cut = overwriteCutShort;
        overwriteCutShort = false;
        std::string written(cut ? bytes.substr(0, bytes.size() / 2) : bytes);
        files[path] = written;
        if (auto other = secondNames.find(path); other != secondNames.end()) {
            files[other->second] = written;
        }
        return cut ? kDiskFull : 0;
    }
    int NameCount(const std::wstring& path) override {
        return files.count(path) == 0 ? 0 : secondNames.count(path) != 0 ? 2 : 1;
    }
    int WhyUnchangeable(const std::wstring&) override { return unchangeable; }
    void Remove(const std::wstring& path) override { files.erase(path); }
    void RemoveAll(const std::wstring& pattern) override {
        std::size_t star = pattern.find(L'*');
        std::wstring before = pattern.substr(0, star);
        std::wstring after = pattern.substr(star + 1);
        std::erase_if(files, [&](const auto& file) {
            const std::wstring& name = file.first;
            return name.size() >= before.size() + after.size() && name.starts_with(before) &&
                   name.ends_with(after);
        });
    }
    std::wstring FinalPath(const std::wstring& path) override {
        auto it = links.find(path);
        return it == links.end() ? path : it->second;
    }
    bool ReadOnly(const std::wstring& path) override { return readOnly.count(path) != 0; }
    bool Exists(const std::wstring& path) override {
        return files.count(path) != 0 || folders.count(path) != 0;
    }
    int CreateFolder(const std::wstring& path) override {
        folders.insert(path);
        return 0;
    }
    void Pause(int milliseconds) override { paused += milliseconds; }
    std::wstring Describe(int error) const override {
        return L"System error " + std::to_wstring(error) + L".";
    }

    std::map<std::wstring, std::string> files;
    std::map<std::wstring, std::wstring> links;  // a link -> where it leads
    // A file with a second name (a hard link) -> that name, a file of its own here that only a
    // write in place keeps the same.
    std::map<std::wstring, std::wstring> secondNames;
    std::set<std::wstring> folders;
    std::set<std::wstring> readOnly;
    std::set<std::wstring> readOnlyFolders;  // no file can be made in them
    std::map<std::wstring, int> readErrors;
    std::optional<std::size_t> writeLimit;
    int createError = 0;
    int replaceError = 0;
    int replaceErrorTimes = 1 << 30;
    int overwriteError = 0;
    bool overwriteCutShort = false;
    int unchangeable = 0;
    int creates = 0;
    int replaces = 0;
    int paused = 0;
};

// The code page of Western Windows for the characters tests use: one byte each.
class FakeAnsiCodePage : public AnsiCodePage {
  public:
    std::wstring Decode(std::string_view bytes) const override {
        std::wstring text;
        for (char c : bytes) {
            text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
        }
        return text;
    }
    std::optional<std::string> Encode(std::wstring_view text) const override {
        std::string bytes;
        for (wchar_t c : text) {
            if (c >= 256) {
                return std::nullopt;
            }
            bytes.push_back(static_cast<char>(c));
        }
        return bytes;
    }
};

class FakeUserSettingsStore : public UserSettingsStore {
  public:
    std::wstring Get(const std::wstring& app, const std::wstring& section, const std::wstring& key,
                     const std::wstring& fallback) override {
        auto it = values.find({app, section, key});
        return it == values.end() ? fallback : it->second;
    }
    bool Save(const std::wstring& app, const std::wstring& section, const std::wstring& key,
              const std::wstring& value) override {
        values[{app, section, key}] = value;
        return true;
    }
    std::map<std::tuple<std::wstring, std::wstring, std::wstring>, std::wstring> values;
};

// The user's Run list in memory.
class FakeRunKey : public RunKey {
  public:
    std::vector<std::pair<std::wstring, std::wstring>> Values() override {
        return {values.begin(), values.end()};
    }
    bool Set(const std::wstring& name, const std::wstring& command) override {
        values[name] = command;
        return true;
    }
    bool Remove(const std::wstring& name) override { return values.erase(name) != 0; }
    std::map<std::wstring, std::wstring> values;
};

// Processes of given integrity levels; `foreground` empty where the system could not say.
class FakeProcessIntegrity : public ProcessIntegrity {
  public:
    std::optional<Process> Foreground() override {
        ++asked;
        return foreground;
    }
    std::optional<std::uint32_t> Own() override { return own; }
    std::optional<Process> foreground;
    std::optional<std::uint32_t> own = 0x2000;
    int asked = 0;
};

// Timers whose calls come when a test gives them.
class FakeTicker : public Ticker {
  public:
    void Start(int id, int ms) override { started[id] = ms; }
    void Stop(int id) override { started.erase(id); }
    // Gives `id` its call, where it was started; false where it was not.
    bool Fire(int id) {
        if (started.erase(id) == 0) {
            return false;
        }
        if (onTick) {
            onTick(id);
        }
        return true;
    }
    std::map<int, int> started;  // id -> its ms
};

// Programs by name: the one in front, and those with windows.
class FakePrograms : public Programs {
  public:
    std::wstring InFront() override { return inFront; }
    std::vector<std::wstring> WithWindows() override { return withWindows; }
    std::wstring inFront;
    std::vector<std::wstring> withWindows;
};

// What a capture box needs around it: key names, message boxes, and a settings file and a
// per-user store for a program in C:\\Tools.
struct FakeBoxServices {
    static constexpr const wchar_t* kSettingsPath = L"C:\\Tools\\set.ini";

    FakeKeyNames names;
    FakeMessageBoxes messages;
    FakeFileSystem files;
    FakeAnsiCodePage ansi;
    FakeProgramFolder folder{L"C:\\Tools"};
    FakeUserSettingsStore userStore;
    IniSettings ini{files, ansi, folder};

    std::string& SettingsBytes() { return files.files[kSettingsPath]; }
};

}  // namespace tavero::testing
