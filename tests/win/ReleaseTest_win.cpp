#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "WinTestSupport_win.h"

using namespace tavero::testing;

namespace {

// The exe as it is handed out: relocatable anywhere with high entropy, no code run from data,
// aware of terminal servers, the DLLs it needs taken from the system folder only, and nothing
// imported but the system's own DLLs.
TEST(Release, TheExeIsHardened) {
    PeFacts exe = ReadPe(WinePath(TAVERO_EXE_PATH));
    ASSERT_GT(exe.size, 0u);
    const std::pair<WORD, const char*> flags[] = {
        {IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE, "ASLR"},
        {IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA, "high-entropy addresses"},
        {IMAGE_DLLCHARACTERISTICS_NX_COMPAT, "DEP"},
        {IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE, "terminal-server awareness"},
    };
    for (const auto& [flag, what] : flags) {
        EXPECT_TRUE(exe.dllCharacteristics & flag) << what << " is not set";
    }
    // Windows 10 at the least, as its imports need and its manifest says.
    EXPECT_EQ(exe.subsystemVersion, (std::pair<WORD, WORD>{10, 0}));
    EXPECT_EQ(exe.osVersion, (std::pair<WORD, WORD>{10, 0}));
    // The dependent-load flag lives in the load configuration, which MSVC's linker writes and
    // GNU ld (2.40) does not; the program sets the same search path first thing either way.
    if (exe.hasLoadConfig) {
        EXPECT_EQ(exe.dependentLoadFlags, LOAD_LIBRARY_SEARCH_SYSTEM32);
    } else {
        std::printf(
            "[ note     ] no load configuration (GNU ld): no dependent-load flag to read\n");
        // GNU ld writes no time stamp, so two builds of one tree are the same bytes; MSVC's
        // /Brepro writes a hash of the contents there instead.
        EXPECT_EQ(exe.timeStamp, 0u);
    }
    for (const std::string& dll : exe.imports) {
        wchar_t system[MAX_PATH] = {};
        ::GetSystemDirectoryW(system, MAX_PATH);
        std::wstring path = std::wstring(system) + L"\\" + std::wstring(dll.begin(), dll.end());
        EXPECT_NE(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES)
            << dll << " is not a system DLL";
    }
}

}  // namespace
