#include "settings/IniSettings.h"

#include <algorithm>

#include "settings/SettingsFolder.h"

namespace tavero {

IniSettings::IniSettings(FileSystem& files, const AnsiCodePage& ansi, const ProgramFolder& folder)
    : file_(files, ansi), folder_(folder) {
    BuildIniPath(kSettingsFileName);
}

void IniSettings::BuildIniPath(const std::wstring& fileName) {
    std::wstring path = JoinPath(folder_.Path(), fileName);
    if (path != path_) {
        path_ = std::move(path);
        loaded_ = false;
    }
}

void IniSettings::ClearLeftovers() {
    file_.RemoveLeftovers(path_);
}

void IniSettings::Load() {
    if (!loaded_) {
        readError_ = file_.Load(path_, text_);
        loaded_ = true;
    }
}

std::wstring IniSettings::ReadIniValue(const std::wstring& section, const std::wstring& key,
                                       const std::wstring& fallback, std::size_t longest) {
    Load();
    std::wstring value = text_.Get(section, key).value_or(fallback);
    // A value with an embedded NUL ends there, as a C string does.
    value.resize(std::min({value.find(L'\0'), value.size(), longest}));
    return value;
}

bool IniSettings::WriteIniValue(const std::wstring& section, const std::wstring& key,
                                const std::wstring& value) {
    IniValue one{section, key, value};
    return WriteIniValues({&one, 1});
}

bool IniSettings::WriteIniValues(std::span<const IniValue> values) {
    if (batch_ != nullptr) {
        batch_->insert(batch_->end(), values.begin(), values.end());
        return true;
    }
    writeError_ = file_.Update(path_, values, text_);
    return !writeError_;
}

}  // namespace tavero
