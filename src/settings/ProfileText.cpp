#include "settings/ProfileText.h"

#include "settings/FoldedText.h"
#include "settings/TrimmedText.h"

namespace tavero {

namespace {

// Names compare whatever their case, as the profile functions' do for the names we use.
std::wstring Lower(std::wstring_view text) {
    std::wstring lower(text);
    for (wchar_t& c : lower) {
        c = FoldCase(c);
    }
    return lower;
}

// The section name of a header line, or nothing when the line is not one.
std::optional<std::wstring_view> HeaderName(std::wstring_view line) {
    line = TrimBlanks(line);
    if (line.empty() || line.front() != L'[') {
        return std::nullopt;
    }
    std::size_t close = line.rfind(L']');
    if (close == std::wstring_view::npos || close == 0) {
        return std::nullopt;
    }
    return TrimBlanks(line.substr(1, close - 1));
}

// The key name of a "key=value" line, or nothing.
std::optional<std::wstring_view> KeyName(std::wstring_view line) {
    std::size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos) {
        return std::nullopt;
    }
    return TrimBlanks(line.substr(0, equals));
}

std::wstring ValueOf(std::wstring_view line) {
    std::wstring_view value = TrimBlanks(line.substr(line.find(L'=') + 1));
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::wstring(value);
}

std::wstring OneLine(std::wstring_view value) {
    std::wstring line(value);
    for (wchar_t& c : line) {
        if (c == L'\r' || c == L'\n') {
            c = L' ';
        }
    }
    return line;
}

}  // namespace

ProfileText::ProfileText(std::wstring_view text) {
    sections_.emplace_back();
    if (std::size_t nl = text.find(L'\n'); nl != std::wstring_view::npos) {
        newline_ = nl > 0 && text[nl - 1] == L'\r' ? L"\r\n" : L"\n";
    }
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        std::size_t next = end == std::wstring_view::npos ? text.size() : end + 1;
        std::wstring_view line =
            text.substr(start, (end == std::wstring_view::npos ? next : end) - start);
        if (!line.empty() && line.back() == L'\r') {
            line.remove_suffix(1);
        }
        Add({std::wstring(line), 0, 0, true});
        start = next;
    }
}

ProfileText::ProfileText(std::string bytes, std::vector<Line> lines, std::wstring newline)
    : bytes_(std::move(bytes)), newline_(std::move(newline)) {
    sections_.emplace_back();
    for (Line& line : lines) {
        Add(std::move(line));
    }
}

void ProfileText::Add(Line line) {
    if (std::optional<std::wstring_view> name = HeaderName(line.text)) {
        sectionIndex_.emplace(Lower(*name), sections_.size());
        sections_.push_back({std::move(line), {}, {}, false});
    } else {
        sections_.back().lines.push_back(std::move(line));
    }
}

void ProfileText::Index(const Section& section) {
    if (section.indexed) {
        return;
    }
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        if (std::optional<std::wstring_view> key = KeyName(section.lines[i].text)) {
            section.keys.emplace(Lower(*key), i);
        }
    }
    section.indexed = true;
}

const ProfileText::Section* ProfileText::Find(std::wstring_view section) const {
    auto it = sectionIndex_.find(Lower(TrimBlanks(section)));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::wstring> ProfileText::Get(std::wstring_view section,
                                             std::wstring_view key) const {
    const Section* found = Find(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    Index(*found);
    auto it = found->keys.find(Lower(TrimBlanks(key)));
    if (it == found->keys.end()) {
        return std::nullopt;
    }
    return ValueOf(found->lines[it->second].text);
}

void ProfileText::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    const Section* found = Find(section);
    if (found == nullptr) {
        sectionIndex_.emplace(Lower(TrimBlanks(section)), sections_.size());
        sections_.push_back(
            {{L"[" + std::wstring(TrimBlanks(section)) + L"]", 0, 0, true}, {}, {}, true});
        found = &sections_.back();
    }
    Section& target = sections_[static_cast<std::size_t>(found - sections_.data())];
    Index(target);
    std::wstring name = Lower(TrimBlanks(key));
    if (auto it = target.keys.find(name); it != target.keys.end()) {
        Line& line = target.lines[it->second];
        std::wstring changed = std::wstring(*KeyName(line.text)) + L"=" + OneLine(value);
        if (changed != line.text) {
            line = {std::move(changed), 0, 0, true};
        }
        return;
    }
    // After the section's last line that is not blank: blank lines that set it apart stay.
    std::size_t at = target.lines.size();
    while (at > 0 && TrimBlanks(target.lines[at - 1].text).empty()) {
        --at;
    }
    target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(at),
                        {std::wstring(TrimBlanks(key)) + L"=" + OneLine(value), 0, 0, true});
    target.keys[name] = at;
}

void ProfileText::Set(std::span<const IniValue> values) {
    for (const IniValue& v : values) {
        if (!v.onlyWhereMissing || !Get(v.section, v.key)) {
            Set(v.section, v.key, v.value);
        }
    }
}

std::vector<const ProfileText::Line*> ProfileText::AllLines() const {
    std::vector<const Line*> lines;
    for (const Section& section : sections_) {
        if (&section != &sections_.front()) {
            lines.push_back(&section.header);
        }
        for (const Line& line : section.lines) {
            lines.push_back(&line);
        }
    }
    return lines;
}

std::vector<std::pair<std::wstring, std::wstring>> ProfileText::Keys() const {
    std::vector<std::pair<std::wstring, std::wstring>> keys;
    for (const auto& [name, first] : sectionIndex_) {
        const Section& section = sections_[first];
        Index(section);
        for (const auto& [key, line] : section.keys) {
            keys.emplace_back(*HeaderName(section.header.text), *KeyName(section.lines[line].text));
        }
    }
    return keys;
}

std::wstring ProfileText::Text() const {
    // Every line ends with the file's own line break, the last one too.
    std::wstring text;
    for (const Line* line : AllLines()) {
        text += line->text;
        text += newline_;
    }
    return text;
}

std::string ProfileText::Bytes(const Encoder& encode, Lines which) const {
    std::vector<const Line*> lines = AllLines();
    std::string bytes;
    bytes.reserve(bytes_.size() + 1024);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = *lines[i];
        bool last = i + 1 == lines.size();
        if (line.length == 0 || which == Lines::AllAnew) {
            bool ends = line.length == 0 || line.ended || !last;
            bytes += encode(ends ? line.text + newline_ : line.text);
            continue;
        }
        bytes.append(bytes_, line.offset, line.length);
        if (!line.ended && !last) {
            bytes += encode(newline_);
        }
    }
    return bytes;
}

}  // namespace tavero
