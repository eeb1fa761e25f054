#pragma once

#include <string>

#include "platform/ProfileFile.h"
#include "platform/ProgramFolder.h"

namespace tavero {

// The program's one settings file: its path and single-value reads and writes.
// One object is shared by every reader and writer, so there is one path for the whole program.
class IniSettings {
  public:
    // The path starts as "set.ini" in the program's folder, so reads and writes made before any
    // box has set it still have a file to go to.
    IniSettings(ProfileFile& file, const ProgramFolder& folder);

    // Joins the program's folder and `fileName`, with no doubled separator at a drive's root.
    void BuildIniPath(const std::wstring& fileName);
    const std::wstring& IniFilePath() const { return path_; }

    // The stored value (at most 254 characters), `fallback` when the key is missing, and the
    // empty text when the stored value is empty.
    std::wstring ReadIniValue(const std::wstring& section, const std::wstring& key,
                              const std::wstring& fallback);
    // False when the value could not be written; the file is then as it was.
    bool WriteIniValue(const std::wstring& section, const std::wstring& key,
                       const std::wstring& value);

  private:
    ProfileFile& file_;
    const ProgramFolder& folder_;
    std::wstring path_;
};

}  // namespace tavero
