#include "ProgramUnderTest_win.h"

#include <cstdio>
#include <cwchar>

#include "instance/AppMessages_win.h"
#include "platform/Texts.h"
#include "platform/Wine_win.h"
#include "ui/ControlIds.h"
#include "ui/DialogIds.h"

namespace tavero::testing {
namespace {

// The build puts the exe's Unix path here.
std::wstring BuiltExePath() {
    return WinePath(TAVERO_EXE_PATH);
}

}  // namespace

ProgramUnderTest::ProgramUnderTest(InPlace place)
    : folderPath_(std::move(place.folder)), exe_(folderPath_ + L"\\" + place.exeName) {}

ProgramUnderTest::ProgramUnderTest(const std::string& settings, const std::wstring& exeName) {
    exe_ = folder_.File(exeName);
    folderPath_ = exe_.substr(0, exe_.find_last_of(L'\\'));
    // Folders past MAX_PATH are made and reached by the prefix that lifts the limit.
    for (std::size_t at = folder_.Path().size() + 1; at < exe_.size(); ++at) {
        if (exe_[at] == L'\\') {
            ::CreateDirectoryW((L"\\\\?\\" + exe_.substr(0, at)).c_str(), nullptr);
        }
    }
    ::CopyFileW(BuiltExePath().c_str(), (L"\\\\?\\" + exe_).c_str(), FALSE);
    if (!settings.empty()) {
        WriteFileBytes(SettingsPath(), settings);
    }
}

ProgramUnderTest::~ProgramUnderTest() {
    // Closed as a user would, so that it takes its tray icon with it; killed only if it hangs.
    if (Running() && main_ != nullptr) {
        ::PostMessageW(main_, WM_CLOSE, 0, 0);
        WaitForExit(5000);
    }
    if (Running()) {
        ::TerminateProcess(process_.hProcess, 99);
        ::WaitForSingleObject(process_.hProcess, 5000);
    }
    if (process_.hProcess != nullptr) {
        ::CloseHandle(process_.hProcess);
        ::CloseHandle(process_.hThread);
    }
}

::testing::AssertionResult ProgramUnderTest::Start(const std::wstring& arguments, bool hidden) {
    if (process_.hProcess != nullptr) {
        ::CloseHandle(process_.hProcess);
        ::CloseHandle(process_.hThread);
        process_ = {};
    }
    main_ = nullptr;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + exe_ + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    if (!::CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folderPath_.c_str(), &startup, &process_)) {
        return ::testing::AssertionFailure() << "the exe could not be started";
    }
    // Shown (unless hidden) and brought to the front, and done with the work it leaves until
    // its window is up, the last of which makes the editor's window: the tray icon (under Wine
    // a round trip to another process, tens of ms) and the rest. Until then a program may not
    // have read its window's first events; under Wine, read while keys are down, they set the
    // key state to the X server's, which knows nothing of injected keys.
    auto started = [&] {
        main_ = FindOwnWindow(nullptr, tavero::Text(TAVERO_TEXT_MAIN_CAPTION).c_str());
        return main_ != nullptr && Editor() != nullptr &&
               (hidden || (::IsWindowVisible(main_) && InFront()));
    };
    bool done = PumpUntil([&] { return started() || !Running(); }, 15000);
    if (!Running()) {
        DWORD code = 0;
        ::GetExitCodeProcess(process_.hProcess, &code);
        return ::testing::AssertionFailure()
               << "the program ended as it started, with exit code 0x" << std::hex << code;
    }
    if (main_ == nullptr) {
        return ::testing::AssertionFailure() << "no main window within 15 s";
    }
    AwaitIdle();
    if (!done || !started()) {
        return ::testing::AssertionFailure()
               << "set-up: the main window did not come to the foreground; "
               << DescribeForeground();
    }
    return ::testing::AssertionSuccess();
}

int ProgramUnderTest::StartAgainBeside(const std::wstring& arguments, int timeoutMs) const {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION second{};
    std::wstring commandLine = L"\"" + exe_ + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    if (!::CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folderPath_.c_str(), &startup, &second)) {
        std::printf("[ note     ] the exe could not be started again: system error %lu\n",
                    ::GetLastError());
        return -2;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (PumpUntil([&] { return ::WaitForSingleObject(second.hProcess, 0) == WAIT_OBJECT_0; },
                  timeoutMs)) {
        ::GetExitCodeProcess(second.hProcess, &code);
    } else {
        ::TerminateProcess(second.hProcess, 99);
    }
    ::CloseHandle(second.hProcess);
    ::CloseHandle(second.hThread);
    return static_cast<int>(code);
}

int ProgramUnderTest::WaitForExit(int timeoutMs) {
    bool ended = PumpUntil(
        [&] { return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
    if (!ended) {
        return -1;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

bool ProgramUnderTest::Running() const {
    return process_.hProcess != nullptr &&
           ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND ProgramUnderTest::Editor() const {
    return FindOwnWindow(nullptr, tavero::Text(TAVERO_TEXT_EDITOR_CAPTION).c_str());
}

HWND ProgramUnderTest::HotKeyEdit(int row) const {
    return ::GetWindow(Control(control_ids::HotKeyBox(row)), GW_CHILD);
}
HWND ProgramUnderTest::ArmBox(int row) const {
    return Control(control_ids::ArmBox(row));
}
HWND ProgramUnderTest::ActionText(int row) const {
    return Control(control_ids::ActionText(row));
}
bool ProgramUnderTest::Ticked(int row) const {
    return ::SendMessageW(ArmBox(row), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ProgramUnderTest::Click(HWND window) const {
    RECT r;
    ::GetWindowRect(window, &r);
    ClickScreen((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

bool ProgramUnderTest::InFront() const {
    // The main window, or a message box of the program's in front of it.
    DWORD process = 0;
    ::GetWindowThreadProcessId(::GetForegroundWindow(), &process);
    return process == process_.dwProcessId;
}

::testing::AssertionResult ProgramUnderTest::ClickToFocus(HWND control) const {
    Click(control);
    auto focused = [&] {
        return ::GetForegroundWindow() == ::GetAncestor(control, GA_ROOT) &&
               (Focus() == control || ::IsChild(control, Focus()));
    };
    if (PumpUntil(focused)) {
        // Under Wine, an activation handled after keys went down would set the key state to the X
        // server's, which knows nothing of injected keys (see AwaitThreadOf).
        AwaitIdle();
    }
    if (focused()) {
        return ::testing::AssertionSuccess();
    }
    RECT r;
    ::GetWindowRect(control, &r);
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    HWND under = ::WindowFromPoint(centre);
    wchar_t className[64] = {};
    ::GetClassNameW(under, className, 64);
    std::string landed(className, className + std::wcslen(className));
    return ::testing::AssertionFailure()
           << "set-up: a click did not give the control the focus (the click's place shows a "
           << (under == control ? "the control itself" : landed) << "); " << DescribeForeground();
}

bool ProgramUnderTest::Tick(int row) const {
    for (int attempt = 0; attempt < 3; ++attempt) {
        Click(ArmBox(row));
        if (PumpUntil([&] { return Ticked(row); }, 2000)) {
            return true;
        }
    }
    return false;
}

::testing::AssertionResult ProgramUnderTest::CaptureHotKey(int row,
                                                           std::initializer_list<int> chord) const {
    std::wstring before = ControlText(HotKeyEdit(row));
    if (auto focused = ClickToFocus(HotKeyEdit(row)); !focused) {
        return focused;
    }
    SendChord(chord);
    if (PumpUntil([&] {
            std::wstring now = ControlText(HotKeyEdit(row));
            return FirstKeyDown() == 0 && now != before && now != L"Press Hotkey" &&
                   now.back() != L' ';
        })) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "the box of row " << row + 1 << " captured nothing";
}

void ProgramUnderTest::ClickAt(int clientX, int clientY) const {
    POINT p{clientX, clientY};
    ::ClientToScreen(main_, &p);
    ClickScreen(p.x, p.y);
}

HWND ProgramUnderTest::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndFocus;
}

::testing::AssertionResult ProgramUnderTest::TabTo(HWND control) const {
    HWND window = ::GetAncestor(control, GA_ROOT);
    if (!PumpUntil([&] { return ::GetForegroundWindow() == window; })) {
        return ::testing::AssertionFailure()
               << "set-up: the window to Tab in is not in the foreground; " << DescribeForeground();
    }
    auto there = [&] { return Focus() == control || ::IsChild(control, Focus()); };
    // One Tab at a time, each judged once the program has handled it: a focus the program moves
    // by itself meanwhile (a window's activation) is not taken for the Tab's, which would send
    // one Tab too many.
    AwaitIdle();
    for (int press = 0; press < 40 && !there(); ++press) {
        HWND before = Focus();
        SendChord({VK_TAB});
        PumpUntil([&] { return Focus() != before; }, 1000);
        AwaitIdle();
    }
    if (there()) {
        return ::testing::AssertionSuccess();
    }
    if (::GetForegroundWindow() != window) {
        return ::testing::AssertionFailure()
               << "set-up: the window lost the foreground while tabbing; " << DescribeForeground();
    }
    return ::testing::AssertionFailure() << "Tab never reached the control";
}

::testing::AssertionResult ProgramUnderTest::PickInList(HWND list, int index) const {
    auto focused = [&] { return Focus() == list || ::IsChild(list, Focus()); };
    if (!focused()) {
        Click(list);
    }
    if (!PumpUntil(
            [&] { return ::GetForegroundWindow() == ::GetAncestor(list, GA_ROOT) && focused(); })) {
        return ::testing::AssertionFailure()
               << "set-up: the list did not get the focus; " << DescribeForeground();
    }
    for (int step = 0; step < 200; ++step) {
        LRESULT current = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
        if (current == index) {
            return ::testing::AssertionSuccess();
        }
        SendChord({current < index ? VK_DOWN : VK_UP});
        if (!PumpUntil([&] { return ::SendMessageW(list, CB_GETCURSEL, 0, 0) != current; }) &&
            !focused()) {
            return ::testing::AssertionFailure()
                   << "set-up: the list lost the focus while picking; " << DescribeForeground();
        }
    }
    return ::testing::AssertionFailure() << "the arrow keys never picked entry " << index;
}

namespace {
HWND VisiblePopupMenu() {
    for (HWND menu = ::FindWindowExW(nullptr, nullptr, L"#32768", nullptr); menu != nullptr;
         menu = ::FindWindowExW(nullptr, menu, L"#32768", nullptr)) {
        if (::IsWindowVisible(menu)) {
            return menu;
        }
    }
    return nullptr;
}
}  // namespace

HWND ProgramUnderTest::OpenTrayMenu() const {
    ::PostMessageW(main_, app_messages::kTrayCallback, 1, WM_RBUTTONUP);
    HWND menu = nullptr;
    PumpUntil([&] { return (menu = VisiblePopupMenu()) != nullptr; });
    return menu;
}

void ProgramUnderTest::DismissMenu(HWND menu) {
    // By clicking away from it, as a user does: the program is not in the foreground, so Escape
    // would not reach its menu.
    RECT r;
    ::GetWindowRect(menu, &r);
    ClickScreen(r.right + 40, r.bottom + 40);
    PumpUntil([] { return VisiblePopupMenu() == nullptr; }, 1000);
}

::testing::AssertionResult ProgramUnderTest::ChooseFromTrayMenu(
    TrayEntry entry, const std::function<bool()>& done) const {
    int attempts = tavero::RunningUnderWine() ? 3 : 1;
    std::string failed;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        HWND menu = OpenTrayMenu();
        if (menu == nullptr) {
            failed = "the tray menu did not open";
            std::printf("[ note     ] %s (attempt %d)\n", failed.c_str(), attempt + 1);
            continue;
        }
        // The menu takes keys once its loop runs, in front.
        AwaitIdle();
        if (!InFront()) {
            failed = "the tray menu opened behind another window; " + DescribeForeground();
            std::printf("[ note     ] %s (attempt %d)\n", failed.c_str(), attempt + 1);
            DismissMenu(menu);
            continue;
        }
        // Down goes to the first entry, then from entry to entry, over the separators.
        for (int step = 0; step <= entry; ++step) {
            SendChord({VK_DOWN});
        }
        SendChord({VK_RETURN});
        auto closed = [] { return VisiblePopupMenu() == nullptr; };
        if (PumpUntil(done ? done : closed, 3000)) {
            return ::testing::AssertionSuccess();
        }
        failed = "the tray menu's choice had no effect";
        std::printf("[ note     ] %s (attempt %d)\n", failed.c_str(), attempt + 1);
        if (!closed()) {
            DismissMenu(menu);
        }
    }
    return ::testing::AssertionFailure() << failed;
}

::testing::AssertionResult ProgramUnderTest::ChooseOtherProgram(int row, bool everywhereBut,
                                                                const std::wstring& program) const {
    // Down to the list, Right into it, and Up from its first entry round to its last, Other…
    return AnswerFromActionMenu(row, everywhereBut ? 3 : 2, L"Program", TAVERO_PROGRAM_NAME_EDIT,
                                {program});
}

::testing::AssertionResult ProgramUnderTest::ChooseTapLength(
    int row, const std::vector<std::wstring>& answers) const {
    // Press is the fourth entry; Tap length… the last of its list.
    return AnswerFromActionMenu(row, 4, L"Tap length", TAVERO_TAP_LENGTH_EDIT, answers);
}

::testing::AssertionResult ProgramUnderTest::AnswerFromActionMenu(
    int row, int downs, const wchar_t* caption, int fieldId,
    const std::vector<std::wstring>& answers) const {
    if (auto there = TabTo(ActionText(row)); !there) {
        return there;
    }
    SendChord({VK_SHIFT, VK_F10});
    HWND menu = nullptr;
    if (!PumpUntil([&] { return (menu = VisiblePopupMenu()) != nullptr; })) {
        return ::testing::AssertionFailure() << "the action text's menu did not open";
    }
    AwaitIdle();
    for (int step = 0; step < downs; ++step) {
        SendChord({VK_DOWN});
    }
    SendChord({VK_RIGHT});
    SendChord({VK_UP});
    SendChord({VK_RETURN});
    HWND dialog = nullptr;
    // Made whole, its field in it, and shown.
    if (!PumpUntil([&] {
            dialog = FindOwnWindow(L"#32770", caption);
            return dialog != nullptr && ::IsWindowVisible(dialog) &&
                   ::GetDlgItem(dialog, fieldId) != nullptr;
        })) {
        if (HWND open = VisiblePopupMenu()) {
            DismissMenu(open);
        }
        return ::testing::AssertionFailure() << "the menu's last entry did not ask";
    }
    HWND field = ::GetDlgItem(dialog, fieldId);
    for (std::size_t i = 0; i < answers.size(); ++i) {
        ::SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answers[i].c_str()));
        // OK, as the dialog's default button takes Enter.
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
        bool last = i + 1 == answers.size();
        // A refusal leaves the dialog open for good: the wait only gives a wrong acceptance the
        // time to show.
        bool closed = PumpUntil([&] { return !::IsWindow(dialog); }, last ? 5000 : 500);
        if (closed != last) {
            if (!closed) {
                ::SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            }
            return ::testing::AssertionFailure()
                   << "answer " << i + 1 << (last ? " was refused" : " was taken");
        }
    }
    AwaitIdle();
    return ::testing::AssertionSuccess();
}

HWND ProgramUnderTest::AwaitMessageBox(int timeoutMs) const {
    HWND box = nullptr;
    PumpUntil(
        [&] {
            box = FindOwnWindow(L"#32770", L"error");
            return box != nullptr && ::IsWindowVisible(box);
        },
        timeoutMs);
    return box != nullptr && ::IsWindowVisible(box) ? box : nullptr;
}

std::wstring ProgramUnderTest::AnswerMessageBox(int button, int timeoutMs) const {
    HWND box = AwaitMessageBox(timeoutMs);
    if (box == nullptr) {
        return L"(no message box)";
    }
    std::wstring text = ControlText(::GetDlgItem(box, 0xFFFF));
    ::SendMessageW(::GetDlgItem(box, button), BM_CLICK, 0, 0);
    PumpUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, timeoutMs);
    return text;
}

bool ProgramUnderTest::NoMessageBox() const {
    HWND box = FindOwnWindow(L"#32770", L"error");
    return box == nullptr || !::IsWindowVisible(box);
}

HWND ProgramUnderTest::FindOwnWindow(const wchar_t* className, const wchar_t* title) const {
    HWND found = nullptr;
    for (HWND w = ::FindWindowExW(nullptr, nullptr, className, title); w != nullptr;
         w = ::FindWindowExW(nullptr, w, className, title)) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(w, &pid);
        if (pid == process_.dwProcessId) {
            found = w;
            break;
        }
    }
    return found;
}

std::wstring TestPlace(const std::string& what) {
    return WinePath(std::string(TAVERO_PLACES_DIR) + "/" + what);
}

bool PlaceOffered(const char* marker) {
    return ::GetFileAttributesW(TestPlace("").c_str()) != INVALID_FILE_ATTRIBUTES &&
           ::GetFileAttributesW(TestPlace(marker).c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::string PressModeRows() {
    std::string s = "[conftooltip]\r\n0=1|66\r\n1=1|65\r\n2=1|67\r\n[Tavero]\r\n";
    int keys[] = {VK_F5, VK_F6, VK_F7};
    for (int i = 0; i < 3; ++i) {
        std::string n = "Tavero" + std::to_string(i + 1);
        s += n + "Text=hotkey\r\n" + n + "KeyCode=" + std::to_string(keys[i]) + "\r\n" + n +
             "ModKeyCode=3\r\n";
    }
    return s + "[Press]\r\n0=hold\r\n1=repeat\r\n2=350\r\n";
}

int CountHotKeyKeys(const std::string& settings) {
    int keys = 0;
    for (int i = 1; i <= 10; ++i) {
        for (const char* suffix : {"Text=", "KeyCode=", "ModKeyCode="}) {
            std::string key = "\nTavero" + std::to_string(i) + suffix;
            keys += settings.find(key) != std::string::npos;
        }
    }
    return keys;
}

}  // namespace tavero::testing
