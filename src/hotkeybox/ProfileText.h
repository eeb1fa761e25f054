#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavero {

struct IniValue {
    std::wstring section;
    std::wstring key;
    std::wstring value;
};

// The text of a settings file in the profile format, read and changed by the rules of the
// platform's profile functions: section and key names match whatever their case, names and
// values lose their surrounding blanks (and a value its matching quotes) when read, the first
// of duplicate sections or keys is the one that counts, and a line without "=" holds no value.
// A change keeps every other line as it was, comments and lines it does not understand
// included: a value is replaced in its own line, a new key goes after the last line of its
// section, a new section at the end.
class ProfileText {
  public:
    explicit ProfileText(std::wstring_view text = {});

    std::optional<std::wstring> Get(std::wstring_view section, std::wstring_view key) const;
    void Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);
    void Set(std::span<const IniValue> values);

    std::wstring Text() const;

  private:
    struct Section {
        std::wstring header;  // as written; empty for the lines before the first header
        std::vector<std::wstring> lines;
        // Lower-cased key name -> its first line; made when first needed.
        mutable std::unordered_map<std::wstring, std::size_t> keys;
        mutable bool indexed = false;
    };

    const Section* Find(std::wstring_view section) const;
    static void Index(const Section& section);

    std::vector<Section> sections_;
    std::unordered_map<std::wstring, std::size_t> sectionIndex_;  // lower-cased name -> first
    std::wstring newline_ = L"\r\n";
};

}  // namespace tavero
