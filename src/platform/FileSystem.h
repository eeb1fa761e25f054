#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavero {

// Files: read whole, written anew, and put in another's place in one step. Results are the
// system's own error codes, 0 for success.
class FileSystem {
  public:
    // The system's codes for the errors the program itself tells apart.
    static constexpr int kFileNotFound = 2;
    static constexpr int kAccessDenied = 5;
    static constexpr int kSharingViolation = 32;
    static constexpr int kLockViolation = 33;
    static constexpr int kFileExists = 80;
    static constexpr int kDiskFull = 112;
    static constexpr int kAlreadyExists = 183;
    static constexpr int kFileTooLarge = 223;
    // A replace that could not take the place of the file (another program holds it).
    static constexpr int kUnableToRemoveReplaced = 1175;
    static constexpr int kUnableToMoveReplacement = 1176;

    virtual ~FileSystem() = default;
    // The file's bytes; kFileNotFound when there is no such file, kFileTooLarge when it holds more
    // than `largest` bytes (nothing is read then).
    virtual int Read(const std::wstring& path, std::string& bytes, std::size_t largest) = 0;
    // Writes `bytes` as a new file `path` and flushes them to the disk: kFileExists (or
    // kAccessDenied, where a folder has the name) when something is there already. All bytes
    // are written, or an error is returned.
    virtual int Create(const std::wstring& path, std::string_view bytes) = 0;
    // Puts `replacement` in the place of `path` in one step: afterwards `path` is either as it
    // was or is the replacement, never anything between. An existing file keeps its attributes
    // and its security.
    virtual int Replace(const std::wstring& replacement, const std::wstring& path) = 0;
    // Moves the file `from` to the name `to`, in place of a file there, flushed to the disk
    // before it returns.
    virtual int Move(const std::wstring& from, const std::wstring& to) = 0;
    // Writes `bytes` over the content of the existing file `path` where it is, so that every name
    // the file has sees them, and flushes them to the disk. Where it fails with `begun` false,
    // the file is as it was (it could not be opened, or the disk has no room for the new
    // length); with `begun` true it may hold anything.
    virtual int Overwrite(const std::wstring& path, std::string_view bytes, bool& begun) = 0;
    // How many names the file has (hard links); 0 where it cannot be told.
    virtual int NameCount(const std::wstring& path) = 0;
    // Why `path` cannot be changed now: kAccessDenied where the user may not, kSharingViolation
    // where another program holds it open; 0 where it can be.
    virtual int WhyUnchangeable(const std::wstring& path) = 0;
    virtual void Remove(const std::wstring& path) = 0;
    // Removes the files `pattern` names, a "*" in its file name standing for any text.
    virtual void RemoveAll(const std::wstring& pattern) = 0;
    // Where `path` leads, through symbolic links and the like; `path` itself where it leads
    // nowhere yet.
    virtual std::wstring FinalPath(const std::wstring& path) = 0;
    // Whether `path` is a file marked read-only.
    virtual bool ReadOnly(const std::wstring& path) = 0;
    virtual bool Exists(const std::wstring& path) = 0;
    // Makes a folder, unless it is there already.
    virtual int CreateFolder(const std::wstring& path) = 0;
    // Waits, between tries of something another program holds up.
    virtual void Pause(int milliseconds) = 0;
    // The system's own words for an error.
    virtual std::wstring Describe(int error) const = 0;
};

// Text in the system's 8-bit (ANSI) code page, where settings files without a byte-order mark
// keep their text.
class AnsiCodePage {
  public:
    virtual ~AnsiCodePage() = default;
    virtual std::wstring Decode(std::string_view bytes) const = 0;
    // The text's bytes; nothing where the code page cannot hold every character of it as it is
    // (never a '?' or a look-alike in its place).
    virtual std::optional<std::string> Encode(std::wstring_view text) const = 0;
};

}  // namespace tavero
