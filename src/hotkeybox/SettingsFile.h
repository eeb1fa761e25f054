#pragma once

#include <span>
#include <string>

#include "hotkeybox/ProfileText.h"
#include "platform/FileSystem.h"

namespace tavero {

// What went wrong with the settings file, in the system's own words; empty when nothing did.
struct FileError {
    int code = 0;
    std::wstring reason;
    explicit operator bool() const { return code != 0; }
};

// The settings file on the disk: read whole, and changed whole or not at all. A change reads
// the file afresh, so what another program wrote meanwhile is kept, builds the new text, writes
// it to a file beside it, checks what was written, and only then puts it in the file's place.
// Text is kept in the encoding the file has: a byte-order mark names UTF-16 or UTF-8, anything
// else is the system's code page, as the profile functions read it.
class SettingsFile {
  public:
    SettingsFile(FileSystem& files, const AnsiCodePage& ansi) : files_(files), ansi_(ansi) {}

    // The file's text; empty, and no error, when there is no file yet.
    FileError Load(const std::wstring& path, ProfileText& text);
    // Sets `values` in the file; `text` becomes what the file then holds. On an error the file
    // is as it was and nothing is left beside it.
    FileError Update(const std::wstring& path, std::span<const IniValue> values, ProfileText& text);

  private:
    enum class Encoding { Ansi, Utf8, Utf16Le, Utf16Be };
    FileError Error(int code) const { return {code, files_.Describe(code)}; }
    std::wstring Decode(const std::string& bytes, Encoding& encoding) const;
    std::string Encode(const std::wstring& text, Encoding encoding) const;

    FileSystem& files_;
    const AnsiCodePage& ansi_;
};

}  // namespace tavero
