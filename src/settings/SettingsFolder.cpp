#include "settings/SettingsFolder.h"

#include "settings/SettingsFile.h"

namespace tavero {

namespace {

// Tried, not guessed from the path: a file of a name of its own is made there and removed.
bool CanWriteIn(const std::wstring& folder, FileSystem& files) {
    std::wstring probe;
    if (CreateUnderFreeName(files, JoinPath(folder, L"tavero-write-test-"), L".tmp", {}, probe) !=
        0) {
        return false;
    }
    files.Remove(probe);
    return true;
}

}  // namespace

SettingsFolder ChooseSettingsFolder(const std::wstring& exeFolder, const std::wstring& fileName,
                                    FileSystem& files,
                                    const std::function<std::wstring()>& perUserFolder) {
    if (files.Exists(JoinPath(exeFolder, fileName)) || CanWriteIn(exeFolder, files)) {
        return {exeFolder, false};
    }
    std::wstring own = perUserFolder();
    if (own.empty() || files.CreateFolder(own) != 0) {
        return {exeFolder, false};  // nowhere better: saves will say why they fail
    }
    return {own, true};
}

}  // namespace tavero
