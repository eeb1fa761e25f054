#include <gtest/gtest.h>

#include <tuple>

#include "hotkeybox/HotKeyStore.h"
#include "hotkeybox/Tavero.h"
#include "platform/RunTimeError.h"
#include "settings/SettingsFolder.h"
#include "support/Fakes.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

TEST(IniPath, JoinsFolderAndNameWithoutDoubledSeparator) {
    FakeFileSystem files;
    FakeAnsiCodePage ansi;
    FakeProgramFolder folder(L"C:\\");
    IniSettings ini(files, ansi, folder);
    EXPECT_EQ(ini.IniFilePath(), L"C:\\set.ini");
    folder.Set(L"C:\\Tools");
    ini.BuildIniPath(L"set.ini");
    EXPECT_EQ(ini.IniFilePath(), L"C:\\Tools\\set.ini");
    ini.BuildIniPath(L"other.ini");
    EXPECT_EQ(ini.IniFilePath(), L"C:\\Tools\\other.ini");
}

class IniFile : public ::testing::Test, protected FakeBoxServices {};

TEST_F(IniFile, ReadsByTheProfileFunctionsRules) {
    SettingsBytes() = std::string(
                          "; a comment\r\n"
                          "  [ConfText]  \r\n"
                          "  0 =  Ctrl + Alt + A   \r\n"
                          "1=\"quoted \"\r\n"
                          "0=second of two\r\n"
                          "2=\r\n"
                          "no equals sign\r\n"
                          "3=") +
                      std::string(300, 'x') + "\r\n" + std::string("4=ab\0cd\r\n", 9) +
                      "[conftext]\r\n5=in a second section of the same name\r\n";
    EXPECT_EQ(ini.ReadIniValue(L"conftext", L"0", L"-"), L"Ctrl + Alt + A");
    EXPECT_EQ(ini.ReadIniValue(L"CONFTEXT", L"1", L"-"), L"quoted ");
    EXPECT_EQ(ini.ReadIniValue(L"conftext", L"2", L"-"), L"");
    EXPECT_EQ(ini.ReadIniValue(L"conftext", L"3", L"-"), std::wstring(254, L'x'));
    EXPECT_EQ(ini.ReadIniValue(L"conftext", L"4", L"-"), L"ab");
    EXPECT_EQ(ini.ReadIniValue(L"conftext", L"no equals sign", L"-"), L"-");
    EXPECT_EQ(ini.ReadIniValue(L"conftext", L"5", L"-"), L"-");
    EXPECT_EQ(ini.ReadIniValue(L"conftooltip", L"0", L"-"), L"-");
    EXPECT_FALSE(ini.ReadError());
}

TEST_F(IniFile, AWriteChangesItsValuesAndKeepsEveryOtherLine) {
    SettingsBytes() =
        "; kept\r\n[conftext]\r\n0=old\r\nsomething unknown\r\n\r\n[Other]\r\nx = 1\r\n";
    const IniValue values[] = {{L"CONFTEXT", L"0", L"new"},
                               {L"conftext", L"1", L"added"},
                               {L"conftooltip", L"0", L"1|65"}};
    ASSERT_TRUE(ini.WriteIniValues(values));
    EXPECT_EQ(SettingsBytes(),
              "; kept\r\n[conftext]\r\n0=new\r\nsomething unknown\r\n1=added\r\n\r\n"
              "[Other]\r\nx = 1\r\n[conftooltip]\r\n0=1|65\r\n");
    EXPECT_EQ(ini.ReadIniValue(L"conftooltip", L"0", L""), L"1|65");
}

TEST_F(IniFile, AWriteKeepsTheFilesEncoding) {
    auto utf16 = [](const std::string& ascii) {
        std::string bytes = "\xFF\xFE";
        for (char c : ascii) {
            bytes += c;
            bytes += '\0';
        }
        return bytes;
    };
    SettingsBytes() = utf16("[conftext]\r\n0=a\r\n");
    EXPECT_EQ(ini.ReadIniValue(L"conftext", L"0", L""), L"a");
    ASSERT_TRUE(ini.WriteIniValue(L"conftext", L"1", L"b"));
    EXPECT_EQ(SettingsBytes(), utf16("[conftext]\r\n0=a\r\n1=b\r\n"));
}

// A UTF-8 file is read as the standard has UTF-8: a line that is not (an overlong form, a
// surrogate, a code point past U+10FFFF) reads as the code page, as any foreign line does, never
// as a character it does not hold or cut short. A name the file's encoding cannot hold turns the
// file to UTF-16 with every value and line kept; a file whose content fits keeps its encoding.
TEST_F(IniFile, TextIsReadAsItIsAndNeverWrittenAsAQuestionMark) {
    SettingsBytes() =
        "\xEF\xBB\xBF[s]\r\n0=a\xC0\x80z\r\n1=\xED\xA0\x80\r\n2=\xF4\x90\x80\x80\r\n"
        "3=\xC3\xA9\xF0\x9F\x98\x80\r\n";
    EXPECT_EQ(ini.ReadIniValue(L"s", L"0", L"-"), L"a\u00C0\u0080z");
    EXPECT_EQ(ini.ReadIniValue(L"s", L"1", L"-"), L"\u00ED\u00A0\u0080");
    EXPECT_EQ(ini.ReadIniValue(L"s", L"2", L"-"), L"\u00F4\u0090\u0080\u0080");
    EXPECT_EQ(ini.ReadIniValue(L"s", L"3", L"-"), L"\u00E9\xD83D\xDE00");

    FakeBoxServices western;
    western.SettingsBytes() = "; caf\xE9\r\n[Scope]\r\n0=notepad.exe\n";
    ASSERT_TRUE(western.ini.WriteIniValue(L"Scope", L"1", L"caf\u00E9.exe"));
    EXPECT_EQ(western.SettingsBytes(), "; caf\xE9\r\n[Scope]\r\n0=notepad.exe\n1=caf\xE9.exe\r\n");
    ASSERT_TRUE(western.ini.WriteIniValue(L"Scope", L"2", L"!\u30B2\u30FC\u30E0.exe"));
    EXPECT_TRUE(western.SettingsBytes().starts_with("\xFF\xFE;\0 \0c\0"));
    FakeBoxServices next;
    next.files = western.files;
    EXPECT_EQ(next.ini.ReadIniValue(L"Scope", L"2", L"-"), L"!\u30B2\u30FC\u30E0.exe");
    EXPECT_EQ(next.ini.ReadIniValue(L"Scope", L"1", L"-"), L"caf\u00E9.exe");
    EXPECT_EQ(next.ini.ReadIniValue(L"Scope", L"0", L"-"), L"notepad.exe");
    EXPECT_EQ(next.ini.ReadIniValue(L"Scope", L"; caf\u00E9", L"-"), L"-");

    // A lone surrogate has no UTF-8 form: the file turns to UTF-16 rather than lose it.
    SettingsBytes() = "\xEF\xBB\xBF[s]\r\n";
    ASSERT_TRUE(ini.WriteIniValue(L"s", L"0", std::wstring(1, static_cast<wchar_t>(0xD800))));
    FakeBoxServices again;
    again.files = files;
    EXPECT_EQ(again.ini.ReadIniValue(L"s", L"0", L"-"),
              std::wstring(1, static_cast<wchar_t>(0xD800)));
}

// A disk that fills at any byte; a rename that fails; a file that cannot be read: the old text
// survives whole and nothing is left beside it.
TEST_F(IniFile, AFailedWriteLeavesTheOldFileWholeWhereverItFails) {
    const std::string old = "[conftext]\r\n0=old\r\n[Tavero]\r\nTavero1KeyCode=116\r\n";
    const IniValue values[] = {{L"conftext", L"0", L"new"}, {L"conftooltip", L"0", L"1|65"}};
    std::size_t full = ProfileText(std::wstring(old.begin(), old.end())).Text().size() + 20;
    auto expectIntact = [&](const char* how) {
        EXPECT_FALSE(ini.WriteIniValues(values)) << how;
        EXPECT_EQ(SettingsBytes(), old) << how;
        EXPECT_EQ(files.files.size(), 1u) << how << ": something was left beside the file";
        EXPECT_TRUE(ini.WriteError()) << how;
    };
    SettingsBytes() = old;
    for (std::size_t at = 0; at < full; ++at) {
        files.writeLimit = at;
        expectIntact("a full disk");
    }
    files.writeLimit.reset();
    files.replaceError = 87;
    expectIntact("a failed rename");
    EXPECT_EQ(ini.WriteError().code, 87);
    EXPECT_EQ(ini.WriteError().reason, L"System error 87.");
    files.replaceError = 0;
    files.readErrors[kSettingsPath] = 32;
    expectIntact("a file locked by another program");
    files.readErrors.clear();
    EXPECT_TRUE(ini.WriteIniValues(values));
}

// Lines the program does not change keep their bytes, whatever they hold (a stray byte in a
// UTF-8 file, a line break of another kind, a last line without one); the lines it writes take
// the file's encoding and its first line's break.
TEST_F(IniFile, LinesTheProgramDoesNotChangeKeepTheirBytes) {
    SettingsBytes() = "\xEF\xBB\xBF; caf\xE9\r\n[conftext]\n0=old\r\n; \xE4\xB8\xAD tail";
    const IniValue values[] = {{L"conftext", L"0", L"new"}, {L"conftext", L"1", L"\u00E9"}};
    ASSERT_TRUE(ini.WriteIniValues(values));
    EXPECT_EQ(SettingsBytes(),
              "\xEF\xBB\xBF; caf\xE9\r\n[conftext]\n0=new\r\n; \xE4\xB8\xAD tail\r\n"
              "1=\xC3\xA9\r\n");
    // Nothing changed, nothing rewritten: the same value again leaves every byte.
    std::string before = SettingsBytes();
    ASSERT_TRUE(ini.WriteIniValue(L"conftext", L"0", L"new"));
    EXPECT_EQ(SettingsBytes(), before);
}

// Where the settings file really is, how it may be written, and by what name the new file is
// made beside it.
TEST_F(IniFile, AWriteGoesWhereTheFileIsAsTheFileAllows) {
    // Through a link, to the file it leads to; the link stays a link.
    const std::wstring target = L"D:\\Sync\\set.ini";
    files.links[kSettingsPath] = target;
    files.files[target] = "[conftext]\r\n0=old\r\n";
    ASSERT_TRUE(ini.WriteIniValue(L"conftext", L"0", L"new"));
    EXPECT_EQ(files.files[target], "[conftext]\r\n0=new\r\n");
    EXPECT_EQ(files.files.count(kSettingsPath), 0u);

    // A name in the way (a folder, a leftover another program made read-only): another is taken.
    files.folders.insert(target + L".tavero-1.tmp");
    EXPECT_TRUE(ini.WriteIniValue(L"conftext", L"1", L"b"));
    EXPECT_EQ(files.files.size(), 1u);

    // Marked read-only by its owner: never written.
    files.readOnly.insert(target);
    std::string before = files.files[target];
    EXPECT_FALSE(ini.WriteIniValue(L"conftext", L"0", L"x"));
    EXPECT_EQ(files.files[target], before);
    EXPECT_NE(ini.WriteError().reason.find(L"read-only"), std::wstring::npos);
    EXPECT_EQ(files.files.size(), 1u);
}

// Another program holding the file (a virus scanner, a sync client) is waited for, about two
// seconds at most; then the user is told the file is in use.
TEST_F(IniFile, AFileAnotherProgramHoldsIsTriedAgainForAWhile) {
    files.replaceError = FileSystem::kSharingViolation;
    files.replaceErrorTimes = 3;
    ASSERT_TRUE(ini.WriteIniValue(L"conftext", L"0", L"a"));
    EXPECT_EQ(files.paused, 3 * SettingsFile::kBusyRetryMs);

    files.paused = 0;
    files.replaceErrorTimes = 1 << 30;
    EXPECT_FALSE(ini.WriteIniValue(L"conftext", L"0", L"b"));
    EXPECT_GE(files.paused, SettingsFile::kBusyForMs);
    EXPECT_LE(files.paused, SettingsFile::kBusyForMs + SettingsFile::kBusyRetryMs);
    EXPECT_EQ(ini.WriteError().reason, L"Another program is using the file (System error 32.)");
    EXPECT_EQ(SettingsBytes(), "[conftext]\r\n0=a\r\n");
    EXPECT_EQ(files.files.size(), 1u);

    // A file the user may not change is not said to be in use, whatever error the replace gave.
    const std::wstring inUse = L"Another program is using the file (System error 1175.)";
    const std::wstring mayNot = L"The file may not be changed by this user (System error 1175.)";
    for (auto [error, why, said] :
         {std::tuple{FileSystem::kAccessDenied, 0,
                     L"The file may not be changed by this user (System error 5.)"},
          {FileSystem::kUnableToRemoveReplaced, FileSystem::kAccessDenied, mayNot.c_str()},
          {FileSystem::kUnableToRemoveReplaced, FileSystem::kSharingViolation, inUse.c_str()}}) {
        files.replaceError = error;
        files.unchangeable = why;
        EXPECT_FALSE(ini.WriteIniValue(L"conftext", L"0", L"b"));
        EXPECT_EQ(ini.WriteError().reason, said);
    }
}

// A file with a second name (a package manager's hard link) is written in place, so both names
// keep showing the same settings; a save cut short while writing is finished at the next start.
TEST_F(IniFile, AFileWithTwoNamesKeepsThemAndACutShortSaveIsFinishedAtTheNextStart) {
    const std::wstring persisted = L"C:\\scoop\\persist\\set.ini";
    files.secondNames[kSettingsPath] = persisted;
    SettingsBytes() = files.files[persisted] = "[conftext]\r\n0=old\r\n";
    ASSERT_TRUE(ini.WriteIniValue(L"conftext", L"0", L"new"));
    EXPECT_EQ(files.files[persisted], "[conftext]\r\n0=new\r\n");
    EXPECT_EQ(files.replaces, 0);
    EXPECT_EQ(files.files.size(), 2u) << "something was left beside the file";

    // Refused before a byte changed: the old content stays, and nothing is left to finish.
    files.overwriteError = FileSystem::kSharingViolation;
    EXPECT_FALSE(ini.WriteIniValue(L"conftext", L"0", L"x"));
    EXPECT_EQ(files.files[persisted], "[conftext]\r\n0=new\r\n");
    EXPECT_EQ(files.files.size(), 2u);
    files.overwriteError = 0;

    files.overwriteCutShort = true;
    EXPECT_FALSE(ini.WriteIniValue(L"conftext", L"0", L"longer"));
    EXPECT_NE(files.files[persisted], "[conftext]\r\n0=longer\r\n");
    FakeBoxServices next;
    next.files = files;
    EXPECT_EQ(next.ini.ReadIniValue(L"conftext", L"0", L"-"), L"longer");
    EXPECT_EQ(next.files.files[persisted], "[conftext]\r\n0=longer\r\n");
    EXPECT_EQ(next.files.files.size(), 2u);

    // Cut short again, then two more saves in the same run: each finishes what came before it
    // first, and never takes away the one whole copy of it.
    const std::wstring keep = L"keepme-a-long-value-that-a-half-write-would-cut";
    ASSERT_TRUE(ini.WriteIniValue(L"conftext", L"0", L"longer"));
    files.overwriteCutShort = true;
    EXPECT_FALSE(ini.WriteIniValue(L"conftext", L"1", keep));
    ASSERT_TRUE(ini.WriteIniValue(L"conftext", L"2", L"b"));
    ASSERT_TRUE(ini.WriteIniValue(L"conftext", L"3", L"c"));
    FakeBoxServices fresh;
    fresh.files = files;
    EXPECT_EQ(fresh.ini.ReadIniValue(L"conftext", L"0", L"-"), L"longer");
    EXPECT_EQ(fresh.ini.ReadIniValue(L"conftext", L"1", L"-"), keep);
    EXPECT_EQ(fresh.ini.ReadIniValue(L"conftext", L"2", L"-"), L"b");
    EXPECT_EQ(fresh.ini.ReadIniValue(L"conftext", L"3", L"-"), L"c");
    EXPECT_EQ(files.files[persisted], SettingsBytes());
    EXPECT_EQ(files.files.size(), 2u);

    // Read in the same run while a cut-short save waits to be finished: the whole copy is read.
    files.overwriteCutShort = true;
    EXPECT_FALSE(ini.WriteIniValue(L"conftext", L"4", keep));
    fresh.files = files;
    fresh.files.overwriteError = FileSystem::kSharingViolation;  // it cannot be finished now
    fresh.ini.BuildIniPath(L"other.ini");
    fresh.ini.BuildIniPath(L"set.ini");
    EXPECT_EQ(fresh.ini.ReadIniValue(L"conftext", L"4", L"-"), keep);
}

// A file far larger than settings ever are is not read, not written over, and said so; what an
// interrupted save left beside the file is cleared away.
TEST(IniFileAtStart, AHugeFileIsLeftAloneAndLeftoversAreCleared) {
    FakeBoxServices services;
    services.files.files[std::wstring(FakeBoxServices::kSettingsPath) + L".tavero-3.tmp"] = "x";
    services.SettingsBytes() = std::string(SettingsFile::kLargestFile + 1, ';');
    EXPECT_EQ(services.ini.ReadIniValue(L"conftext", L"0", L"-"), L"-");
    EXPECT_EQ(services.ini.ReadError().code, FileSystem::kFileTooLarge);
    EXPECT_NE(services.ini.ReadError().reason.find(L"64 MiB"), std::wstring::npos);
    services.ini.ClearLeftovers();
    EXPECT_EQ(services.files.files.size(), 1u);
    EXPECT_FALSE(services.ini.WriteIniValue(L"conftext", L"0", L"a"));
    EXPECT_EQ(services.SettingsBytes().size(), SettingsFile::kLargestFile + 1);
}

// Beside the exe where a settings file is there or can be made; else the user's own folder,
// made then; the folder is tried, not guessed, and the probe leaves nothing behind.
TEST(SettingsFolderChoice, BesideTheExeUnlessItCannotBeKeptThere) {
    const std::wstring exe = L"C:\\Program Files\\Tavero";
    const std::wstring own = L"C:\\Users\\me\\AppData\\Roaming\\Tavero Mirelle";
    int asked = 0;
    auto perUser = [&] {
        ++asked;
        return own;
    };
    FakeFileSystem files;
    EXPECT_EQ(ChooseSettingsFolder(exe, L"set.ini", files, perUser).path, exe);  // writable
    EXPECT_TRUE(files.files.empty());

    files.readOnlyFolders.insert(exe);
    SettingsFolder chosen = ChooseSettingsFolder(exe, L"set.ini", files, perUser);
    EXPECT_EQ(chosen.path, own);
    EXPECT_TRUE(chosen.perUser);
    EXPECT_TRUE(files.Exists(own));

    files.files[exe + L"\\set.ini"] = "";  // one beside the exe wins, writable or not
    EXPECT_EQ(ChooseSettingsFolder(exe, L"set.ini", files, perUser).path, exe);
    EXPECT_EQ(asked, 1);
}

// A box's hotkey in the settings file.
class BoxStore : public ::testing::Test, protected FakeBoxServices {
  protected:
    Tavero MakeBox(const std::wstring& name, StoreSettings settings = {}) {
        return Tavero(name, registrar, names, messages,
                      HotKeyStore(ini, userStore, std::move(settings)));
    }

    void Store(const std::wstring& text, const std::wstring& key, const std::wstring& mods) {
        ini.WriteIniValue(L"Tavero", L"Tavero1Text", text);
        ini.WriteIniValue(L"Tavero", L"Tavero1KeyCode", key);
        ini.WriteIniValue(L"Tavero", L"Tavero1ModKeyCode", mods);
    }

    FakeHotKeySystem system;
    FakeHotKeyRegistrar registrar{system};
};

TEST_F(BoxStore, NothingStoredLoadsEmpty) {
    Tavero box = MakeBox(L"Tavero1");
    box.Load();
    EXPECT_EQ(box.Text(), L"Press Hotkey");
    EXPECT_EQ(box.KeyCode(), 0);
    EXPECT_EQ(box.ModKeyCode(), 0);
    EXPECT_FALSE(box.HotKeyEnabled());
}

TEST_F(BoxStore, SaveWritesThreeKeysAndLoadsBack) {
    Tavero box = MakeBox(L"Tavero10");
    int key = 116, state = 6;  // Ctrl + Alt
    box.KeyDown(key, state, false);
    // Saved while Shift alone is held: the hotkey is saved, not the preview.
    int shiftKey = 16, shiftState = 1;
    box.KeyDown(shiftKey, shiftState, false);
    ASSERT_TRUE(box.SaveSettings());
    EXPECT_EQ(SettingsBytes(),
              "[Tavero]\r\nTavero10Text=Ctrl + Alt + F5\r\nTavero10KeyCode=116\r\n"
              "Tavero10ModKeyCode=3\r\n");

    Tavero again = MakeBox(L"Tavero10");
    again.Load();
    EXPECT_EQ(again.Text(), L"Ctrl + Alt + F5");
    EXPECT_EQ(again.KeyCode(), 116);
    EXPECT_EQ(again.ModKeyCode(), 3);
    EXPECT_FALSE(again.HotKeyEnabled());
}

TEST_F(BoxStore, EmptyBoxSavesItsEmptyState) {
    Tavero box = MakeBox(L"Tavero1");
    box.SaveSettings();
    EXPECT_EQ(SettingsBytes(),
              "[Tavero]\r\nTavero1Text=Press Hotkey\r\nTavero1KeyCode=0\r\n"
              "Tavero1ModKeyCode=0\r\n");
}

TEST_F(BoxStore, UnsoundNumbersLoadAsNoHotkey) {
    const std::vector<std::pair<std::wstring, std::wstring>> bad = {
        {L"abc", L"3"}, {L"", L"3"},    {L"-5", L"3"},   {L"255", L"3"}, {L"99999999999", L"3"},
        {L"65", L"16"}, {L"65", L"-1"}, {L"65", L"x"},   {L"65", L""},   {L"6 5", L"3"},
        {L"0", L"3"},   {L"+65", L"3"}, {L"65", L"1.5"},
    };
    for (const auto& [key, mods] : bad) {
        Store(L"Ctrl + A", key, mods);
        Tavero box = MakeBox(L"Tavero1");
        box.Load();
        EXPECT_EQ(box.Text(), L"Press Hotkey") << key << L"/" << mods;
        EXPECT_EQ(box.KeyCode(), 0);
        EXPECT_EQ(box.ModKeyCode(), 0);
    }
    Store(L"Win + Ctrl + Alt + Shift + F12", L"254", L"15");
    Tavero box = MakeBox(L"Tavero1");
    box.Load();
    EXPECT_EQ(box.KeyCode(), 254);
    EXPECT_EQ(box.ModKeyCode(), 15);
}

TEST_F(BoxStore, LoadPointsTheProgramAtTheBoxFile) {
    StoreSettings settings;
    settings.iniFileName = L"mine.ini";
    Tavero box = MakeBox(L"Tavero1", settings);
    box.Load();
    EXPECT_EQ(ini.IniFilePath(), L"C:\\Tools\\mine.ini");
}

TEST_F(BoxStore, UserStoreKeepsTheSameKeysUnderItsAppName) {
    StoreSettings settings;
    settings.settingLocation = 1;
    settings.regKeyName = L"MyApp";
    Tavero box = MakeBox(L"Tavero2", settings);
    int key = 'E', state = 0;
    box.KeyDown(key, state, false);
    box.SaveSettings();
    EXPECT_TRUE(files.files.empty());
    EXPECT_EQ((userStore.values[{L"MyApp", L"Tavero", L"Tavero2KeyCode"}]), L"69");
    EXPECT_EQ((userStore.values[{L"MyApp", L"Tavero", L"Tavero2Text"}]), L"E");

    Tavero again = MakeBox(L"Tavero2", settings);
    again.Load();
    EXPECT_EQ(again.KeyCode(), 69);
}

TEST_F(BoxStore, DesignTimeSettingsRefuseChangeWith382) {
    Tavero box = MakeBox(L"Tavero1");
    try {
        box.SetINIFileName(L"x.ini");
        FAIL();
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.Number(), 382);
    }
    EXPECT_THROW(box.SetSettingLocation(1), RunTimeError);
    EXPECT_THROW(box.SetRegKeyName(L"x"), RunTimeError);
    EXPECT_EQ(box.INIFileName(), L"set.ini");
    EXPECT_EQ(box.SettingLocation(), 0);
    EXPECT_EQ(box.RegKeyName(), L"Tavero");
}

TEST_F(BoxStore, FailedSaveIsReported) {
    Tavero box = MakeBox(L"Tavero1");
    files.createError = 5;
    EXPECT_FALSE(box.SaveSettings());
}

}  // namespace
