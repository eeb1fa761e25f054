#include "hotkeybox/SettingsFolder.h"

namespace tavero {

namespace {

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

// Tried, not guessed from the path: a file of a name of its own is made there and removed.
bool CanWriteIn(const std::wstring& folder, FileSystem& files) {
    constexpr int kMostNamesTried = 16;
    for (int n = 1; n <= kMostNamesTried; ++n) {
        std::wstring probe = Join(folder, L"tavero-write-test-" + std::to_wstring(n) + L".tmp");
        int error = files.Create(probe, {});
        if (error == 0) {
            files.Remove(probe);
            return true;
        }
        if (error != FileSystem::kFileExists && error != FileSystem::kAlreadyExists) {
            return false;
        }
    }
    return false;
}

}  // namespace

SettingsFolder ChooseSettingsFolder(const std::wstring& exeFolder, const std::wstring& fileName,
                                    FileSystem& files,
                                    const std::function<std::wstring()>& perUserFolder) {
    if (files.Exists(Join(exeFolder, fileName)) || CanWriteIn(exeFolder, files)) {
        return {exeFolder, false};
    }
    std::wstring own = perUserFolder();
    if (own.empty() || files.CreateFolder(own) != 0) {
        return {exeFolder, false};  // nowhere better: saves will say why they fail
    }
    return {own, true};
}

}  // namespace tavero
