#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "platform/FileSystem.h"
#include "settings/ProfileText.h"

namespace tavero {

// What went wrong with the settings file, in the system's own words; empty when nothing did.
struct FileError {
    int code = 0;
    std::wstring reason;
    explicit operator bool() const { return code != 0; }
};

// Makes a new file `stem` + N + `end` (N from 1) holding `bytes`, under the first name nothing
// is in the way of (a file or a folder another program left there); `made` is that name. The
// system's error where none could be made.
int CreateUnderFreeName(FileSystem& files, const std::wstring& stem, const std::wstring& end,
                        std::string_view bytes, std::wstring& made);

// The settings file on the disk: read whole, and changed whole or not at all. A change reads
// the file afresh, so what another program wrote meanwhile is kept; keeps every line it does not
// change byte for byte, writing only its own lines, in the file's encoding (a byte-order mark
// names UTF-16 or UTF-8, anything else is the system's code page, as the profile functions read
// it) and line break; where that encoding cannot hold a character of them, the whole file turns
// to UTF-16 instead, every line's text kept. Writes the new file beside the file (where it
// really is, through links) under a name of its own, and only then puts it in the file's place,
// trying again for a while where another program holds the file. A file with more than one
// name is written in place instead, from a whole copy beside it; a save cut short there is
// finished from that copy before the file is next read or written, by this run or the next.
class SettingsFile {
  public:
    // More than settings ever hold: a larger file is neither read nor written over.
    static constexpr std::size_t kLargestFile = std::size_t{64} << 20;
    // How long a file another program holds is tried again, and how often.
    static constexpr int kBusyForMs = 2000;
    static constexpr int kBusyRetryMs = 50;

    SettingsFile(FileSystem& files, const AnsiCodePage& ansi) : files_(files), ansi_(ansi) {}

    // The file's text; empty, and no error, when there is no file yet.
    FileError Load(const std::wstring& path, ProfileText& text);
    // Sets `values` in the file; `text` becomes what the file then holds. On an error the file
    // is as it was and nothing is left beside it.
    FileError Update(const std::wstring& path, std::span<const IniValue> values, ProfileText& text);
    // Removes what a save that was cut short before its new file was in place left beside it.
    void RemoveLeftovers(const std::wstring& path);

  private:
    enum class Encoding { Ansi, Utf8, Utf16Le, Utf16Be };
    struct Decoded {
        Encoding encoding = Encoding::Ansi;
        std::string mark;  // the byte-order mark, kept as it was
        ProfileText text;
    };
    FileError Error(int code) const;
    FileError SaveError(const std::wstring& target, int error);
    // Tries `attempt` again while another program holds the file, for kBusyForMs at most.
    int WhileHeld(const std::function<int()>& attempt);
    // A new file beside `target` put in its place in one step.
    int Replace(const std::wstring& target, std::string_view bytes);
    // The new content written over the old where the file is, so that every name it has sees it.
    int WriteInPlace(const std::wstring& target, std::string_view bytes);
    // Finishes a save in place that was cut short (the power went) after the new content was
    // whole beside the file: the file then holds it all, not part of it. 0 where nothing was
    // left to finish.
    int FinishCutShortSave(const std::wstring& target);
    Decoded Decode(std::string bytes) const;
    std::wstring DecodeLine(std::string_view bytes, Encoding encoding) const;
    std::optional<std::string> Encode(std::wstring_view text, Encoding encoding) const;
    // The file's bytes, in its encoding where that holds every line, else in UTF-16.
    std::string Bytes(const Decoded& file) const;

    FileSystem& files_;
    const AnsiCodePage& ansi_;
};

}  // namespace tavero
