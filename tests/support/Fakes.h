#pragma once

#include <algorithm>
#include <cwctype>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "hotkeybox/IniSettings.h"
#include "platform/HotKeyRegistrar.h"
#include "platform/KeyNames.h"
#include "platform/MessageBoxes.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramFolder.h"
#include "platform/UserSettingsStore.h"

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

// Names like the platform's for the keys the tests use; no name for code 255.
class FakeKeyNames : public KeyNames {
  public:
    std::wstring NameOf(int key) const override {
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
            case 255:
                return L"";
            default:
                return L"Key" + std::to_wstring(key);
        }
    }
};

class FakeMessageBoxes : public MessageBoxes {
  public:
    void ShowError(const std::wstring& title, const std::wstring& text) override {
        shown.emplace_back(title, text);
    }
    std::vector<std::pair<std::wstring, std::wstring>> shown;
};

class FakeProgramFolder : public ProgramFolder {
  public:
    explicit FakeProgramFolder(std::wstring path) : path_(std::move(path)) {}
    std::wstring Path() const override { return path_; }
    void Set(std::wstring path) { path_ = std::move(path); }

  private:
    std::wstring path_;
};

// Profile files in memory, with the platform's rules: names match whatever their case, a
// value loses its surrounding blanks when read, and a read is cut to the buffer.
class FakeProfileFile : public ProfileFile {
  public:
    std::size_t GetString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& fallback, std::span<wchar_t> buffer,
                          const std::wstring& path) override {
        ++reads;
        std::wstring value = fallback;
        auto it = files_.find(path);
        if (it != files_.end()) {
            auto found = it->second.find({Lower(section), Lower(key)});
            if (found != it->second.end()) {
                value = Trim(found->second);
            }
        }
        std::size_t n = std::min(value.size(), buffer.size() - 1);
        std::copy_n(value.begin(), n, buffer.begin());
        buffer[n] = L'\0';
        return n;
    }

    bool WriteString(const std::wstring& section, const std::wstring& key,
                     const std::wstring& value, const std::wstring& path) override {
        if (readOnly) {
            return false;
        }
        files_[path][{Lower(section), Lower(key)}] = value;
        return true;
    }

    // What is stored, as written; nullptr when the key is missing.
    const std::wstring* Stored(const std::wstring& path, const std::wstring& section,
                               const std::wstring& key) const {
        auto it = files_.find(path);
        if (it == files_.end()) {
            return nullptr;
        }
        auto found = it->second.find({Lower(section), Lower(key)});
        return found == it->second.end() ? nullptr : &found->second;
    }
    std::size_t KeyCount(const std::wstring& path) const {
        auto it = files_.find(path);
        return it == files_.end() ? 0 : it->second.size();
    }

    bool readOnly = false;
    int reads = 0;

  private:
    static std::wstring Lower(std::wstring text) {
        for (auto& c : text) {
            c = static_cast<wchar_t>(std::towlower(c));
        }
        return text;
    }
    static std::wstring Trim(const std::wstring& text) {
        auto first = text.find_first_not_of(L" \t");
        if (first == std::wstring::npos) {
            return {};
        }
        auto last = text.find_last_not_of(L" \t");
        return text.substr(first, last - first + 1);
    }

    std::map<std::wstring, std::map<std::pair<std::wstring, std::wstring>, std::wstring>> files_;
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

// What a capture box needs around it: key names, message boxes, and a settings file and a
// per-user store for a program in C:\\Tools.
struct FakeBoxServices {
    FakeKeyNames names;
    FakeMessageBoxes messages;
    FakeProfileFile file;
    FakeProgramFolder folder{L"C:\\Tools"};
    FakeUserSettingsStore userStore;
    IniSettings ini{file, folder};
};

}  // namespace tavero::testing
