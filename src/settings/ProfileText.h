#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tavero {

struct IniValue {
    std::wstring section;
    std::wstring key;
    std::wstring value;
    // Written only where the file has no such key: what the file holds (a hand edit) wins.
    bool onlyWhereMissing = false;
};

// The text of a settings file in the profile format, read and changed by the rules of the
// platform's profile functions: section and key names match whatever their case, names and
// values lose their surrounding blanks (and a value its matching quotes) when read, the first
// of duplicate sections or keys is the one that counts, and a line without "=" holds no value.
// A change keeps every other line as it was, comments and lines it does not understand
// included, to the byte: a value is replaced in its own line, a new key goes after the last
// line of its section, a new section at the end.
class ProfileText {
  public:
    // One line of a file: its text, without its line break, and where its bytes are in the
    // file, its line break included; none for a line the program wrote.
    struct Line {
        std::wstring text;
        std::size_t offset = 0;
        std::size_t length = 0;
        bool ended = true;  // the bytes end in a line break (the file's last line may not)
    };
    // Encodes a text in the file's encoding.
    using Encoder = std::function<std::string(std::wstring_view)>;

    ProfileText() : ProfileText(std::wstring_view{}) {}
    // A text that is no file's yet: every line is written anew.
    explicit ProfileText(std::wstring_view text);
    // A file's bytes and its lines; lines the program adds end with `newline`.
    ProfileText(std::string bytes, std::vector<Line> lines, std::wstring newline);

    std::optional<std::wstring> Get(std::wstring_view section, std::wstring_view key) const;
    void Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);
    void Set(std::span<const IniValue> values);

    // Every section and key name that holds a value, each once, as Get finds it: the first of
    // its name.
    std::vector<std::pair<std::wstring, std::wstring>> Keys() const;

    std::wstring Text() const;
    // The file's new bytes: the lines the program did not change as they were, the others (and
    // a line break after a last line that had none, where more follows) made by `encode`; or,
    // for a file that changes its encoding, every line made by `encode`.
    enum class Lines { KeptAsTheyWere, AllAnew };
    std::string Bytes(const Encoder& encode, Lines lines = Lines::KeptAsTheyWere) const;

  private:
    struct Section {
        Line header;  // as written; empty for the lines before the first header
        std::vector<Line> lines;
        // Lower-cased key name -> its first line; made when first needed.
        mutable std::unordered_map<std::wstring, std::size_t> keys;
        mutable bool indexed = false;
    };

    void Add(Line line);
    const Section* Find(std::wstring_view section) const;
    static void Index(const Section& section);
    std::vector<const Line*> AllLines() const;

    std::string bytes_;
    std::vector<Section> sections_;
    std::unordered_map<std::wstring, std::size_t> sectionIndex_;  // lower-cased name -> first
    std::wstring newline_ = L"\r\n";
};

}  // namespace tavero
