// set.ini's bytes, whatever they are: read, changed, and read again. What the program wrote
// reads back as it holds it, and every other value the file held reads as it did: nothing lost,
// nothing changed, whatever the encoding, line breaks or lines it does not understand.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <map>

#include "FuzzText.h"
#include "settings/FoldedText.h"
#include "settings/SettingsFile.h"
#include "support/Fakes.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

const std::wstring kPath = L"C:\\Tools\\set.ini";
const std::wstring kSecondName = L"C:\\scoop\\persist\\set.ini";

// Values the program writes, some no code page holds and one UTF-8 cannot hold.
const std::wstring kValues[] = {L"",
                                L"Ctrl + Alt + A",
                                L"3|17|18|65",
                                L"  padded  ",
                                L"\"quoted\"",
                                L"two\r\nlines",
                                L"caf\u00E9",
                                L"!\u30B2\u30FC\u30E0.exe",
                                std::wstring(1, static_cast<wchar_t>(0xD800)),
                                L"[not a section]",
                                L"a=b"};
const wchar_t* const kSections[] = {L"conftext", L"conftooltip", L"Tavero", L"Scope", L"New"};

std::map<std::pair<std::wstring, std::wstring>, std::wstring> Values(const ProfileText& text) {
    std::map<std::pair<std::wstring, std::wstring>, std::wstring> values;
    for (const auto& [section, key] : text.Keys()) {
        values[{section, key}] = *text.Get(section, key);
    }
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<IniValue> changes;
    for (int n = input.ConsumeIntegralInRange(0, 4); n > 0; --n) {
        changes.push_back({kSections[input.ConsumeIntegralInRange<std::size_t>(0, 4)],
                           std::to_wstring(input.ConsumeIntegralInRange(0, 9)),
                           kValues[input.ConsumeIntegralInRange<std::size_t>(0, 10)],
                           input.ConsumeBool()});
    }
    // A file with a second name is written in place, and the write may be cut short.
    bool twoNames = input.ConsumeBool();
    bool cutShort = input.ConsumeBool();
    FakeFileSystem files;
    files.files[kPath] = input.ConsumeRemainingBytesAsString();
    if (twoNames) {
        files.secondNames[kPath] = kSecondName;
        files.files[kSecondName] = files.files[kPath];
    }
    FakeAnsiCodePage ansi;
    SettingsFile file(files, ansi);

    ProfileText before;
    TAVERO_FUZZ_CHECK(!file.Load(kPath, before));
    ProfileText held = before;
    held.Set(changes);
    files.overwriteCutShort = twoNames && cutShort;
    ProfileText changed;
    FileError error = file.Update(kPath, changes, changed);
    TAVERO_FUZZ_CHECK(!error || (twoNames && cutShort));
    // Read again (a save cut short finished first), the file is what the program holds of it,
    // under every name it has.
    ProfileText after;
    TAVERO_FUZZ_CHECK(!file.Load(kPath, after));
    TAVERO_FUZZ_CHECK(Values(after) == Values(held));
    TAVERO_FUZZ_CHECK(!twoNames || files.files[kSecondName] == files.files[kPath]);
    // And every value it had and the program did not write is as it was.
    auto had = Values(before);
    for (const IniValue& change : changes) {
        auto it = std::find_if(had.begin(), had.end(), [&](const auto& value) {
            return SameIgnoringCase(value.first.first, change.section) &&
                   SameIgnoringCase(value.first.second, change.key);
        });
        if (it != had.end() && !change.onlyWhereMissing) {
            had.erase(it);
        }
    }
    for (const auto& [name, value] : had) {
        TAVERO_FUZZ_CHECK(after.Get(name.first, name.second) == value);
    }
    return 0;
}
