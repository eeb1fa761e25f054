#include "settings/SettingsFile.h"

#include <algorithm>
#include <cstdint>

#include "platform/DecimalText.h"
#include "platform/Texts.h"
#include "settings/TextEncoding.h"

namespace tavero {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

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
    // Lines end where the profile functions end them: at a line feed, a carriage return and a
    // line feed, or a carriage return alone. Found in units of the encoding: one byte, or two for
    // UTF-16; neither byte is ever part of a character in the 8-bit code pages, double-byte ones
    // included.
    bool wide = decoded.encoding == Encoding::Utf16Le || decoded.encoding == Encoding::Utf16Be;
    std::size_t unit = wide ? 2 : 1;
    if (wide && view.size() % 2 != 0) {
        // Cut short in the middle of a character: its half is completed, so that it reads as a
        // character and whatever the program writes after it starts on a whole one (written after
        // half a unit, every line after it would read as other characters).
        bytes.push_back('\0');
        view = std::string_view(bytes).substr(decoded.mark.size());
    }
    bool bigEndian = decoded.encoding == Encoding::Utf16Be;
    auto unitAt = [&](std::size_t at) -> unsigned {
        auto byte = [&](std::size_t k) { return unsigned{static_cast<unsigned char>(view[k])}; };
        if (!wide) {
            return byte(at);
        }
        return bigEndian ? (byte(at) << 8) | byte(at + 1) : byte(at) | (byte(at + 1) << 8);
    };
    std::vector<ProfileText::Line> lines;
    std::wstring newline;
    std::size_t start = 0;
    while (start < view.size()) {
        std::size_t end = start;
        while (end < view.size() && unitAt(end) != '\n' && unitAt(end) != '\r') {
            end += unit;
        }
        std::size_t next = end;
        if (next < view.size() && unitAt(next) == '\r') {
            next += unit;
            if (newline.empty()) {
                newline = L"\r\n";
            }
        }
        if (next < view.size() && unitAt(next) == '\n') {
            next += unit;
            if (newline.empty()) {
                newline = L"\n";
            }
        }
        bool ended = next > end;
        std::wstring text = DecodeLine(view.substr(start, end - start), decoded.encoding);
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
            // A line that is not UTF-8 is foreign: read as the code page, as any other is.
            if (std::optional<std::wstring> text = FromUtf8(bytes)) {
                return *text;
            }
            break;
        case Encoding::Ansi:
            break;
    }
    return ansi_.Decode(bytes);
}

std::optional<std::string> SettingsFile::Encode(std::wstring_view text, Encoding encoding) const {
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

std::string SettingsFile::Bytes(const Decoded& file) const {
    bool held = true;
    std::string bytes = file.mark + file.text.Bytes([&](std::wstring_view line) {
        std::optional<std::string> encoded = Encode(line, file.encoding);
        held = held && encoded.has_value();
        return encoded.value_or(std::string());
    });
    if (held) {
        return bytes;
    }
    // A character the file's encoding has no place for (a program's name in another script):
    // written as '?', a name would be lost. UTF-16 holds them all, and the profile functions
    // read it as well.
    return std::string(kUtf16LeMark) +
           file.text.Bytes([](std::wstring_view line) { return ToUtf16(line, false); },
                           ProfileText::Lines::AllAnew);
}

namespace {

// Errors of a file another program has open (an editor, a virus scanner, a sync client): they
// pass when it lets go. A file being deleted is refused as access is, so that is tried again
// too; what the user may not change is told apart once the tries are over.
bool HeldByAnother(int error) {
    return error == FileSystem::kAccessDenied || error == FileSystem::kSharingViolation ||
           error == FileSystem::kLockViolation || error == FileSystem::kUnableToRemoveReplaced ||
           error == FileSystem::kUnableToMoveReplacement;
}

constexpr const wchar_t* kMadeBesideTag = L".tavero-";
constexpr const wchar_t* kMadeBesideEnd = L".tmp";
// The new content of a file with more than one name, whole, until it is written over the old.
constexpr const wchar_t* kUnfinishedEnd = L".tavero-unfinished";

}  // namespace

FileError SettingsFile::Error(int code) const {
    if (code == FileSystem::kFileTooLarge) {
        return {code, Text(TAVERO_TEXT_FILE_TOO_LARGE, {DecimalText(kLargestFile >> 20)})};
    }
    return {code, files_.Describe(code)};
}

FileError SettingsFile::Load(const std::wstring& path, ProfileText& text) {
    std::wstring target = files_.FinalPath(path);
    std::string bytes;
    // Where a save cut short cannot be finished now, its whole copy is what the file holds.
    int error = FinishCutShortSave(target) == 0
                    ? files_.Read(target, bytes, kLargestFile)
                    : files_.Read(target + kUnfinishedEnd, bytes, kLargestFile);
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

int CreateUnderFreeName(FileSystem& files, const std::wstring& stem, const std::wstring& end,
                        std::string_view bytes, std::wstring& made) {
    constexpr int kMostNamesTried = 16;
    int error = 0;
    for (int n = 1; n <= kMostNamesTried; ++n) {
        made = stem + DecimalText(n) + end;
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

int SettingsFile::WhileHeld(const std::function<int()>& attempt) {
    for (int waited = 0;; waited += kBusyRetryMs) {
        int error = attempt();
        if (error == 0 || !HeldByAnother(error) || waited >= kBusyForMs) {
            return error;
        }
        files_.Pause(kBusyRetryMs);
    }
}

int SettingsFile::Replace(const std::wstring& target, std::string_view bytes) {
    std::wstring made;
    int error = CreateUnderFreeName(files_, target + kMadeBesideTag, kMadeBesideEnd, bytes, made);
    if (error != 0) {
        return error;
    }
    error = WhileHeld([&] { return files_.Replace(made, target); });
    if (error != 0) {
        files_.Remove(made);
    }
    return error;
}

int SettingsFile::WriteInPlace(const std::wstring& target, std::string_view bytes) {
    // Whole beside the file first, under a name of its own; only then named as the content to
    // finish with, so that the next start never finishes with half of it.
    std::wstring made;
    int error = CreateUnderFreeName(files_, target + kMadeBesideTag, kMadeBesideEnd, bytes, made);
    if (error != 0) {
        return error;
    }
    std::wstring unfinished = target + kUnfinishedEnd;
    if ((error = files_.Move(made, unfinished)) != 0) {
        files_.Remove(made);
        return error;
    }
    bool begun = false;
    error = WhileHeld([&] { return files_.Overwrite(target, bytes, begun); });
    if (error == 0 || !begun) {
        // Written, or the file is as it was: either way nothing is left to finish.
        files_.Remove(unfinished);
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
    // Never over a file a save cut short left half written: what that save wrote is finished
    // first, and is what this one changes.
    int error = FinishCutShortSave(target);
    if (error != 0) {
        return SaveError(target, error);
    }
    std::string old;
    error = files_.Read(target, old, kLargestFile);
    if (error != 0 && error != FileSystem::kFileNotFound) {
        // What cannot be read cannot be kept: nothing is written over it.
        return Error(error);
    }
    Decoded changed = old.empty() ? Decoded{} : Decode(std::move(old));
    changed.text.Set(values);
    std::string bytes = Bytes(changed);
    // A file with more names than one (a package manager's hard link, say) keeps them all only
    // where it is written in place; a replace would leave the other names with the old content.
    error = files_.NameCount(target) > 1 ? WriteInPlace(target, bytes) : Replace(target, bytes);
    if (error != 0) {
        return SaveError(target, error);
    }
    text = std::move(changed.text);
    return {};
}

FileError SettingsFile::SaveError(const std::wstring& target, int error) {
    FileError failed = Error(error);
    if (!HeldByAnother(error)) {
        return failed;
    }
    // A replace that could not take the file's place does not say why: the file is asked.
    int why = error;
    if (error == FileSystem::kUnableToRemoveReplaced ||
        error == FileSystem::kUnableToMoveReplacement) {
        why = files_.WhyUnchangeable(target);
    }
    bool mayNot = why == FileSystem::kAccessDenied;
    failed.reason = Text(mayNot ? TAVERO_TEXT_MAY_NOT_WRITE : TAVERO_TEXT_IN_USE, {failed.reason});
    return failed;
}

int SettingsFile::FinishCutShortSave(const std::wstring& target) {
    std::wstring unfinished = target + kUnfinishedEnd;
    std::string bytes;
    int error = files_.Read(unfinished, bytes, kLargestFile);
    if (error == FileSystem::kFileNotFound) {
        return 0;
    }
    if (error == 0 && !files_.Exists(target)) {
        // Deleted since: the copy is the newest whole content there is.
        return files_.Move(unfinished, target);
    }
    bool begun = false;
    if (error == 0) {
        error = WhileHeld([&] { return files_.Overwrite(target, bytes, begun); });
    }
    if (error == 0) {
        files_.Remove(unfinished);
    }
    return error;
}

void SettingsFile::RemoveLeftovers(const std::wstring& path) {
    files_.RemoveAll(files_.FinalPath(path) + kMadeBesideTag + L"*" + kMadeBesideEnd);
}

}  // namespace tavero
