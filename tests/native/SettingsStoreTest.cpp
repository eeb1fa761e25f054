#include <gtest/gtest.h>

#include "hotkeybox/HotKeyStore.h"
#include "hotkeybox/Tavero.h"
#include "platform/RunTimeError.h"
#include "support/Fakes.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

TEST(IniPath, JoinsFolderAndNameWithoutDoubledSeparator) {
    FakeProfileFile file;
    FakeProgramFolder folder(L"C:\\");
    IniSettings ini(file, folder);
    EXPECT_EQ(ini.IniFilePath(), L"C:\\set.ini");
    folder.Set(L"C:\\Tools");
    ini.BuildIniPath(L"set.ini");
    EXPECT_EQ(ini.IniFilePath(), L"C:\\Tools\\set.ini");
    ini.BuildIniPath(L"other.ini");
    EXPECT_EQ(ini.IniFilePath(), L"C:\\Tools\\other.ini");
}

class IniValues : public ::testing::Test {
  protected:
    FakeProfileFile file;
    FakeProgramFolder folder{L"C:\\Tools"};
    IniSettings ini{file, folder};
};

TEST_F(IniValues, DefaultOnlyForMissingKey) {
    EXPECT_EQ(ini.ReadIniValue(L"conftext", L"0", L"dflt"), L"dflt");
    ini.WriteIniValue(L"conftext", L"0", L"");
    EXPECT_EQ(ini.ReadIniValue(L"conftext", L"0", L"dflt"), L"");
    EXPECT_EQ(ini.ReadIniValue(L"conftext", L"1", L""), L"");
}

TEST_F(IniValues, LongValueCutTo254AndTrailingBlankTrimmed) {
    ini.WriteIniValue(L"conftext", L"0", std::wstring(300, L'x'));
    EXPECT_EQ(ini.ReadIniValue(L"conftext", L"0", L""), std::wstring(254, L'x'));
    ini.WriteIniValue(L"conftext", L"1", L"Ctrl + Alt + A ");
    EXPECT_EQ(ini.ReadIniValue(L"CONFTEXT", L"1", L""), L"Ctrl + Alt + A");
}

TEST_F(IniValues, FailedWriteIsReported) {
    file.readOnly = true;
    EXPECT_FALSE(ini.WriteIniValue(L"conftext", L"0", L"x"));
    EXPECT_EQ(file.KeyCount(ini.IniFilePath()), 0u);
}

// A box's hotkey in the settings file.
class BoxStore : public ::testing::Test, protected FakeBoxServices {
  protected:
    Tavero MakeBox(const std::wstring& name, StoreSettings settings = {}) {
        return Tavero(name, registrar, names, messages,
                      HotKeyStore(ini, userStore, std::move(settings)));
    }
    const std::wstring* Stored(const std::wstring& key) {
        return file.Stored(L"C:\\Tools\\set.ini", L"Tavero", key);
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
    ASSERT_NE(Stored(L"Tavero10Text"), nullptr);
    EXPECT_EQ(*Stored(L"Tavero10Text"), L"Ctrl + Alt + F5");
    EXPECT_EQ(*Stored(L"Tavero10KeyCode"), L"116");
    EXPECT_EQ(*Stored(L"Tavero10ModKeyCode"), L"3");
    EXPECT_EQ(Stored(L"Tavero1KeyCode"), nullptr);

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
    EXPECT_EQ(*Stored(L"Tavero1Text"), L"Press Hotkey");
    EXPECT_EQ(*Stored(L"Tavero1KeyCode"), L"0");
    EXPECT_EQ(*Stored(L"Tavero1ModKeyCode"), L"0");
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
    EXPECT_EQ(file.KeyCount(ini.IniFilePath()), 0u);
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
    file.readOnly = true;
    EXPECT_FALSE(box.SaveSettings());
}

}  // namespace
