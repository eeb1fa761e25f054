#include "settings/SettingsFile.h"

#include <algorithm>
#include <cstdint>

#include "platform/Texts.h"

namespace tavero {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// Text is held as UTF-16 code units on every platform.
std::wstring FromUtf8(std::string_view bytes) {
    std::wstring text;
    std::size_t i = 0;
    auto byte = [&](std::size_t k) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[k]));
    };
    while (i < bytes.size()) {
        std::uint32_t c = byte(i);
        std::size_t extra = c < 0x80    ? 0
                            : c >= 0xF8 ? 4
                            : c >= 0xF0 ? 3
                            : c >= 0xE0 ? 2
                            : c >= 0xC0 ? 1
                                        : 4;
        bool valid = extra < 4 && i + extra < bytes.size();
        for (std::size_t k = 1; valid && k <= extra; ++k) {
            valid = (byte(i + k) & 0xC0) == 0x80;
        }
        if (!valid) {
            text.push_back(static_cast<wchar_t>(0xFFFD));  // not UTF-8: the replacement character
            ++i;
            continue;
        }
        if (extra > 0) {
            c &= 0x7Fu >> (extra + 1);
            for (std::size_t k = 1; k <= extra; ++k) {
                c = (c << 6) | (byte(i + k) & 0x3F);
            }
        }
        i += extra + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            text.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
            text.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
        } else {
            text.push_back(static_cast<wchar_t>(c));
        }
    }
    return text;
}

std::string ToUtf8(std::wstring_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = static_cast<std::uint32_t>(text[i]) & 0xFFFF;
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            std::uint32_t low = static_cast<std::uint32_t>(text[i + 1]) & 0xFFFF;
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return bytes;
}

std::wstring FromUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto hi = static_cast<std::uint8_t>(bytes[bigEndian ? i : i + 1]);
        auto lo = static_cast<std::uint8_t>(bytes[bigEndian ? i + 1 : i]);
        text.push_back(static_cast<wchar_t>((hi << 8) | lo));
    }
    return text;
}

std::string ToUtf16(std::wstring_view text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (wchar_t unit : text) {
        auto c = static_cast<std::uint16_t>(unit);
        char hi = static_cast<char>(c >> 8);
        char lo = static_cast<char>(c & 0xFF);
        bytes.push_back(bigEndian ? hi : lo);
        bytes.push_back(bigEndian ? lo : hi);
    }
    return bytes;
}

}  // namespace

SettingsFile::Decoded SettingsFile::Decode(std::string bytes) const {
    Decoded decoded;
    std::string_view view(bytes);
    for (auto [mark, encoding] : {std::pair{kUtf16LeMark, Encoding::Utf16Le},
                                  {kUtf16BeMark, Encoding::Utf16Be},
                                  {kUtf8Mark, Encoding::Utf8}}) {
        if (view.starts_with(mark)) {
            decoded.encoding = encoding;
            decoded.mark = std::string(mark);
            view.remove_prefix(mark.size());
            break;
        }
    }
    // Split at each line feed, in units of the encoding: one byte, or two for UTF-16. A lone
    // '\n' byte is never part of a character in the 8-bit code pages, double-byte ones included.
    bool wide = decoded.encoding == Encoding::Utf16Le || decoded.encoding == Encoding::Utf16Be;
    std::size_t unit = wide ? 2 : 1;
    std::string_view feed = decoded.encoding == Encoding::Utf16Le   ? std::string_view("\n\0", 2)
                            : decoded.encoding == Encoding::Utf16Be ? std::string_view("\0\n", 2)
                                                                    : std::string_view("\n");
    std::vector<ProfileText::Line> lines;
    std::wstring newline;
    std::size_t start = 0;
    while (start < view.size()) {
        std::size_t end = start;
        while (end + unit <= view.size() && view.substr(end, unit) != feed) {
            end += unit;
        }
        bool ended = end + unit <= view.size();
        std::size_t next = ended ? end + unit : view.size();
        std::wstring text = DecodeLine(view.substr(start, end - start), decoded.encoding);
        bool cr = !text.empty() && text.back() == L'\r';
        if (cr) {
            text.pop_back();
        }
        if (newline.empty() && ended) {
            newline = cr ? L"\r\n" : L"\n";
        }
        lines.push_back({std::move(text), decoded.mark.size() + start, next - start, ended});
        start = next;
    }
    decoded.text =
        ProfileText(std::move(bytes), std::move(lines), newline.empty() ? L"\r\n" : newline);
    return decoded;
}

std::wstring SettingsFile::DecodeLine(std::string_view bytes, Encoding encoding) const {
    // Most lines are ASCII, the same in UTF-8 and every 8-bit code page: no need to ask the
    // system, a great deal quicker for a large file.
    bool ascii = std::all_of(bytes.begin(), bytes.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii && (encoding == Encoding::Ansi || encoding == Encoding::Utf8)) {
        return std::wstring(bytes.begin(), bytes.end());
    }
    switch (encoding) {
        case Encoding::Utf16Le:
            return FromUtf16(bytes, false);
        case Encoding::Utf16Be:
            return FromUtf16(bytes, true);
        case Encoding::Utf8:
            return FromUtf8(bytes);
        case Encoding::Ansi:
            break;
    }
    return ansi_.Decode(bytes);
}

std::string SettingsFile::Encode(std::wstring_view text, Encoding encoding) const {
    switch (encoding) {
        case Encoding::Utf16Le:
            return ToUtf16(text, false);
        case Encoding::Utf16Be:
            return ToUtf16(text, true);
        case Encoding::Utf8:
            return ToUtf8(text);
        case Encoding::Ansi:
            break;
    }
    return ansi_.Encode(text);
}

FileError SettingsFile::Error(int code) const {
    if (code == FileSystem::kFileTooLarge) {
        return {code, Text(TAVERO_TEXT_FILE_TOO_LARGE, {std::to_wstring(kLargestFile >> 20)})};
    }
    return {code, files_.Describe(code)};
}

FileError SettingsFile::Load(const std::wstring& path, ProfileText& text) {
    std::string bytes;
    int error = files_.Read(path, bytes, kLargestFile);
    if (error == FileSystem::kFileNotFound) {
        text = ProfileText();
        return {};
    }
    if (error != 0) {
        return Error(error);
    }
    text = Decode(std::move(bytes)).text;
    return {};
}

namespace {

// Errors of a file another program has open (an editor, a virus scanner, a sync client): they
// pass when it lets go.
bool HeldByAnother(int error) {
    return error == FileSystem::kAccessDenied || error == FileSystem::kSharingViolation ||
           error == FileSystem::kLockViolation || error == FileSystem::kUnableToRemoveReplaced ||
           error == FileSystem::kUnableToMoveReplacement;
}

constexpr const wchar_t* kMadeBesideTag = L".tavero-";
constexpr const wchar_t* kMadeBesideEnd = L".tmp";

}  // namespace

int CreateUnderFreeName(FileSystem& files, const std::wstring& stem, const std::wstring& end,
                        std::string_view bytes, std::wstring& made) {
    constexpr int kMostNamesTried = 16;
    int error = 0;
    for (int n = 1; n <= kMostNamesTried; ++n) {
        made = stem + std::to_wstring(n) + end;
        error = files.Create(made, bytes);
        // A folder of the name, or a file another program still holds as it is deleted, is
        // refused as access is.
        if (error != FileSystem::kFileExists && error != FileSystem::kAlreadyExists &&
            error != FileSystem::kAccessDenied) {
            return error;
        }
    }
    return error;
}

FileError SettingsFile::Update(const std::wstring& path, std::span<const IniValue> values,
                               ProfileText& text) {
    // A link is followed: the file it leads to is the one that changes, and the link stays.
    std::wstring target = files_.FinalPath(path);
    if (files_.ReadOnly(target)) {
        // Its owner marked it so: never written, whatever the file system would let through.
        return {FileSystem::kAccessDenied,
                Text(TAVERO_TEXT_MARKED_READ_ONLY, {files_.Describe(FileSystem::kAccessDenied)})};
    }
    std::string old;
    int error = files_.Read(target, old, kLargestFile);
    if (error != 0 && error != FileSystem::kFileNotFound) {
        // What cannot be read cannot be kept: nothing is written over it.
        return Error(error);
    }
    Decoded changed = old.empty() ? Decoded{} : Decode(std::move(old));
    changed.text.Set(values);
    std::string bytes = changed.mark + changed.text.Bytes([&](std::wstring_view line) {
        return Encode(line, changed.encoding);
    });

    std::wstring made;
    error = CreateUnderFreeName(files_, target + kMadeBesideTag, kMadeBesideEnd, bytes, made);
    if (error != 0) {
        return Error(error);
    }
    for (int waited = 0;; waited += kBusyRetryMs) {
        error = files_.Replace(made, target);
        if (error == 0 || !HeldByAnother(error) || waited >= kBusyForMs) {
            break;
        }
        files_.Pause(kBusyRetryMs);
    }
    if (error != 0) {
        files_.Remove(made);
        FileError failed = Error(error);
        if (HeldByAnother(error)) {
            failed.reason = Text(TAVERO_TEXT_IN_USE, {failed.reason});
        }
        return failed;
    }
    text = std::move(changed.text);
    return {};
}

void SettingsFile::RemoveLeftovers(const std::wstring& path) {
    files_.RemoveAll(files_.FinalPath(path) + kMadeBesideTag + L"*" + kMadeBesideEnd);
}

}  // namespace tavero
