#pragma once

#include <string>
#include <string_view>

namespace tavero {

// Whole files: read, written anew, and put in another's place in one step. Results are the
// system's own error codes, 0 for success.
class FileSystem {
  public:
    // The system's codes for the two errors the program itself tells apart.
    static constexpr int kFileNotFound = 2;
    static constexpr int kDiskFull = 112;

    virtual ~FileSystem() = default;
    // The file's bytes; kFileNotFound when there is no such file.
    virtual int Read(const std::wstring& path, std::string& bytes) = 0;
    // Writes `bytes` as the whole of `path` (made anew) and flushes them to the disk.
    virtual int Create(const std::wstring& path, std::string_view bytes) = 0;
    // Puts `replacement` in the place of `path` in one step: afterwards `path` is either as it
    // was or is the replacement, never anything between.
    virtual int Replace(const std::wstring& replacement, const std::wstring& path) = 0;
    virtual void Remove(const std::wstring& path) = 0;
    // The system's own words for an error.
    virtual std::wstring Describe(int error) const = 0;
};

// Text in the system's 8-bit (ANSI) code page, where settings files without a byte-order mark
// keep their text.
class AnsiCodePage {
  public:
    virtual ~AnsiCodePage() = default;
    virtual std::wstring Decode(std::string_view bytes) const = 0;
    virtual std::string Encode(std::wstring_view text) const = 0;
};

}  // namespace tavero
