#pragma once

#include <span>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/ProgramFolder.h"
#include "settings/ProfileText.h"
#include "settings/SettingsFile.h"

namespace tavero {

// The settings file's name, in the folder the program keeps its settings in.
inline constexpr const wchar_t* kSettingsFileName = L"set.ini";

// The program's one settings file: its path and its values. One object is shared by every
// reader and writer, so there is one path for the whole program. The file is read once, when
// the first value is asked for; every write changes the file whole or not at all.
class IniSettings {
  public:
    // The path starts as "set.ini" in the program's folder, so reads and writes made before any
    // box has set it still have a file to go to.
    IniSettings(FileSystem& files, const AnsiCodePage& ansi, const ProgramFolder& folder);

    // Joins the program's folder and `fileName`, with no doubled separator at a drive's root.
    void BuildIniPath(const std::wstring& fileName);
    const std::wstring& IniFilePath() const { return path_; }

    // What the profile functions' 255-character buffer held: 254 characters and the NUL.
    static constexpr std::size_t kLongestValue = 254;

    // The stored value (at most `longest` characters, up to any NUL), `fallback` when the key is
    // missing, and the empty text when the stored value is empty. The sections the program has
    // always had are read as the profile functions read them; a section of its own may hold
    // longer values.
    std::wstring ReadIniValue(const std::wstring& section, const std::wstring& key,
                              const std::wstring& fallback, std::size_t longest = kLongestValue);
    // Removes what a save cut short left beside the file; once the program is up, as its first
    // paint need not wait for it.
    void ClearLeftovers();
    // Why the file could not be read, when it could not.
    const FileError& ReadError() const { return readError_; }

    // False when the value could not be written; the file is then as it was.
    bool WriteIniValue(const std::wstring& section, const std::wstring& key,
                       const std::wstring& value);
    // All of them or none.
    bool WriteIniValues(std::span<const IniValue> values);
    // Why the last write failed.
    const FileError& WriteError() const { return writeError_; }

    // Values written while a batch is open go out in one write when it is committed.
    class Batch {
      public:
        explicit Batch(IniSettings& ini) : ini_(ini) { ini_.batch_ = &values_; }
        ~Batch() { ini_.batch_ = nullptr; }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        bool Commit() {
            ini_.batch_ = nullptr;
            return values_.empty() || ini_.WriteIniValues(values_);
        }

      private:
        IniSettings& ini_;
        std::vector<IniValue> values_;
    };

  private:
    void Load();

    SettingsFile file_;
    const ProgramFolder& folder_;
    std::wstring path_;
    ProfileText text_;
    bool loaded_ = false;
    FileError readError_;
    FileError writeError_;
    std::vector<IniValue>* batch_ = nullptr;
};

}  // namespace tavero
