// Measures the program against floors built from the same tree, alternating between them run
// by run so that both see the same machine:
//   start-up: process start to the first paint done (the process idles for input with
//             nothing left to paint), against an equivalent bare window;
//   latency:  the hotkey's key going in to the action's key reaching a focused window,
//             against an equivalent responder (the same releases of the hotkey's modifiers,
//             the same presses), and, to show what those releases cost, a bare one.
// Then holds, memory and handle counts over long use, and idle CPU. Prints Markdown.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "KeyTarget_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"
#include "ui/ControlIds.h"
#include "ui/MainLayout.h"

using namespace tavero::testing;

namespace {

// How many of each: the full run, and the quick one (--quick) that checks the benchmark itself.
struct Counts {
    int startUps, presses, playbacks, editorCycles, idleMs;
};
constexpr Counts kFull{30, 200, 1000, 100, 10000};
constexpr Counts kQuick{3, 10, 60, 5, 1000};

struct Stats {
    double median, p10, p90, p99;
};

Stats Summary(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    auto at = [&](double p) {
        std::size_t i = static_cast<std::size_t>(std::ceil(p * static_cast<double>(v.size())));
        return v[std::min(i == 0 ? 0 : i - 1, v.size() - 1)];
    };
    return {at(0.5), at(0.1), at(0.9), at(0.99)};
}

std::string Row(const char* what, const Stats& ours, const Stats& floor) {
    char line[512];
    std::snprintf(line, sizeof(line),
                  "| %s | %.2f (%.2f-%.2f, p99 %.2f) | %.2f (%.2f-%.2f, p99 %.2f) | %.2f |\n", what,
                  ours.median, ours.p10, ours.p90, ours.p99, floor.median, floor.p10, floor.p90,
                  floor.p99, ours.median / floor.median);
    return line;
}

// Starts an exe and returns how long it took to come to rest with its window painted.
double TimeStartUp(const std::wstring& exe, const std::wstring& folder, PROCESS_INFORMATION& pi) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + exe + L"\"";
    double t0 = NowMs();
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &pi)) {
        return -1;
    }
    ::WaitForInputIdle(pi.hProcess, 15000);
    return NowMs() - t0;
}

HWND TopWindowOf(DWORD process, const wchar_t* title) {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, nullptr, title); w != nullptr;
         w = ::FindWindowExW(nullptr, w, nullptr, title)) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(w, &pid);
        if (pid == process) {
            return w;
        }
    }
    return nullptr;
}

void CloseAndWait(PROCESS_INFORMATION& pi, const wchar_t* title) {
    PumpUntil([&] { return TopWindowOf(pi.dwProcessId, title) != nullptr; }, 5000);
    ::PostMessageW(TopWindowOf(pi.dwProcessId, title), WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
        ::TerminateProcess(pi.hProcess, 1);
    }
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
}

std::string Settings() {
    std::string s =
        "[conftext]\r\n0=B \r\n1=Ctrl + B \r\n[conftooltip]\r\n0=1|66\r\n1=2|17|66\r\n[Tavero]\r\n";
    // Row 1 Ctrl+Alt+F12, row 2 Ctrl+Alt+F10, rows 3..10 Ctrl+Alt+F1..F8: ten armed rows.
    int keys[] = {VK_F12, VK_F10, VK_F1, VK_F2, VK_F3, VK_F4, VK_F5, VK_F6, VK_F7, VK_F8};
    for (int i = 0; i < 10; ++i) {
        std::string n = "Tavero" + std::to_string(i + 1);
        s += n + "Text=hotkey\r\n" + n + "KeyCode=" + std::to_string(keys[i]) + "\r\n" + n +
             "ModKeyCode=3\r\n";
    }
    return s;
}

struct Resources {
    double workingSetMiB;
    DWORD gdi;
    DWORD user;
    DWORD handles;
};

Resources Measure(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    ::K32GetProcessMemoryInfo(process, &counters, sizeof(counters));
    DWORD handles = 0;
    ::GetProcessHandleCount(process, &handles);
    return {static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0),
            ::GetGuiResources(process, GR_GDIOBJECTS), ::GetGuiResources(process, GR_USEROBJECTS),
            handles};
}

double CpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(process, &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& f) {
        return static_cast<double>((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) |
                                   f.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

// One press of Ctrl + Alt + `key`: the time to the first key-down of B in the focused window,
// and how long B was held; false when B did not come. A tap lets go of every key at once, as
// the bare responder needs; otherwise Ctrl and Alt are held until B comes, as a person holds
// them, and the program lets go of them itself.
bool Press(KeyTarget& target, int key, double& latency, double& hold, bool tap = true) {
    target.Clear();
    double pressed = 0;
    double down = -1;
    double up = -1;
    auto seen = [&] {
        for (const KeyRecord& r : target.Records()) {
            if (r.key == 'B' && r.Down() && down < 0) {
                down = r.ms;
            } else if (r.key == 'B' && !r.Down() && down >= 0) {
                up = r.ms;
            }
        }
        return up >= 0;
    };
    if (tap) {
        PumpFor(60);  // no one presses a hotkey within 50 ms of the last action
        pressed = NowMs();
        SendChord({VK_CONTROL, VK_MENU, key});
        if (!PumpUntil(seen, 3000)) {
            return false;
        }
    } else if (!PressHotKey({VK_CONTROL, VK_MENU}, key, seen, 3000, &pressed)) {
        return false;
    }
    PumpUntil([] { return FirstKeyDown() == 0; }, 1000);
    latency = down - pressed;
    hold = up - down;
    return true;
}

// A responder of the given arguments, started and ready.
PROCESS_INFORMATION StartResponder(const wchar_t* arguments) {
    std::wstring exe = WinePath(TAVERO_REFERENCE_PATH);
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION responder{};
    ::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &responder);
    ::WaitForInputIdle(responder.hProcess, 10000);
    return responder;
}

void StopResponder(PROCESS_INFORMATION& responder) {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, nullptr, L"reference responder"); w != nullptr;
         w = ::FindWindowExW(nullptr, w, nullptr, L"reference responder")) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(w, &pid);
        if (pid == responder.dwProcessId) {
            ::PostMessageW(w, WM_CLOSE, 0, 0);
        }
    }
    ::WaitForSingleObject(responder.hProcess, 5000);
    ::CloseHandle(responder.hProcess);
    ::CloseHandle(responder.hThread);
}

}  // namespace

int main(int argc, char** argv) {
    bool pinned = false;
    // A quick look at one measure while working on it.
    bool startUpOnly = false;
    bool latencyOnly = false;
    Counts counts = kFull;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            counts = kQuick;
        }
        pinned = pinned || std::strcmp(argv[i], "--pinned") == 0;
        startUpOnly = startUpOnly || std::strcmp(argv[i], "--start-up") == 0;
        latencyOnly = latencyOnly || std::strcmp(argv[i], "--latency") == 0;
    }
    std::wstring programExe = WinePath(TAVERO_EXE_PATH);
    std::wstring windowExe = WinePath(TAVERO_REFERENCE_WINDOW_PATH);

    // Start-up, alternating, after a warm-up run of each.
    std::vector<double> ours;
    std::vector<double> floor;
    if (!latencyOnly) {
        TempFolder folder;
        std::wstring exe = folder.File(L"TaveroMirelle.exe");
        ::CopyFileW(programExe.c_str(), exe.c_str(), FALSE);
        WriteFileBytes(folder.File(L"set.ini"), Settings());
        for (int i = 0; i <= counts.startUps; ++i) {
            PROCESS_INFORMATION pi{};
            double reference = TimeStartUp(windowExe, folder.Path(), pi);
            CloseAndWait(pi, L"reference window");
            double program = TimeStartUp(exe, folder.Path(), pi);
            CloseAndWait(pi, L"\u8BBE\u7F6E");
            if (i > 0) {
                floor.push_back(reference);
                ours.push_back(program);
            }
        }
    }

    if (startUpOnly) {
        std::printf("%s",
                    Row("Start-up to the first paint", Summary(ours), Summary(floor)).c_str());
        return 0;
    }

    // Latency and holds, press by press alternating between the program (Ctrl+Alt+F12) and the
    // responder (Ctrl+Alt+F11), both sending B held 100 ms.
    ProgramUnderTest program(Settings());
    if (!program.Start()) {
        std::printf("cannot start the program\n");
        return 1;
    }
    Resources atStart = Measure(program.Process());
    double idleBefore = CpuMs(program.Process());
    ::Sleep(latencyOnly ? 0 : counts.idleMs);
    double idleCpuFresh = CpuMs(program.Process()) - idleBefore;
    for (int row = 0; row < 10; ++row) {
        program.Tick(row);
    }
    // Ctrl + Alt + F11: the equivalent responder; Ctrl + Alt + F9: the bare one.
    PROCESS_INFORMATION equivalent = StartResponder(L"--equivalent 3 122 100 66");
    PROCESS_INFORMATION bare = StartResponder(L"3 120 100 66");
    std::vector<double> ourLatency, floorLatency, bareLatency, ourHold, floorHold, chordHold,
        heldLatency, floorHeldLatency;
    {
        KeyTarget target;
        double latency = 0;
        double hold = 0;
        for (int i = 0; i < 5; ++i) {  // warm-up
            for (int key : {VK_F12, VK_F11, VK_F9}) {
                Press(target, key, latency, hold);
            }
        }
        for (int i = 0; i < counts.presses; ++i) {
            if (Press(target, VK_F12, latency, hold)) {
                ourLatency.push_back(latency);
                ourHold.push_back(hold);
            }
            if (Press(target, VK_F11, latency, hold)) {
                floorLatency.push_back(latency);
                floorHold.push_back(hold);
            }
            if (Press(target, VK_F9, latency, hold)) {
                bareLatency.push_back(latency);
            }
        }
        // As many as the taps: on fewer, the p99 would be the slowest press alone.
        for (int i = 0; i < counts.presses; ++i) {
            if (Press(target, VK_F12, latency, hold, false)) {
                heldLatency.push_back(latency);
            }
            if (Press(target, VK_F11, latency, hold, false)) {
                floorHeldLatency.push_back(latency);
            }
        }
        for (int i = 0; i < 50 && !latencyOnly; ++i) {
            if (Press(target, VK_F10, latency, hold)) {
                chordHold.push_back(hold);
            }
        }
    }
    StopResponder(equivalent);
    StopResponder(bare);
    if (latencyOnly) {
        std::printf("%s",
                    Row("Hotkey latency", Summary(ourLatency), Summary(floorLatency)).c_str());
        std::printf("%s",
                    Row("Held latency", Summary(heldLatency), Summary(floorHeldLatency)).c_str());
        std::printf("%s", Row("Bare", Summary(ourLatency), Summary(bareLatency)).c_str());
        std::printf("%s", Row("100 ms hold", Summary(ourHold), Summary(floorHold)).c_str());
        return 0;
    }

    // Opened by the pencil and closed by the close button, as a mouse user does: neither waits
    // on which window the system has made the foreground one.
    const auto& pencil = tavero::main_layout::kRowTable[0].editButton;
    int editorCycles = 0;
    auto cycleEditor = [&](int times) {
        for (int i = 0; i < times; ++i, ++editorCycles) {
            program.ClickAt(pencil.left / 15 + 11, pencil.top / 15 + 11);
            HWND editor = nullptr;
            if (!PumpUntil([&] {
                    editor = program.FindOwnWindow(nullptr, L"Form1");
                    return editor != nullptr && ::IsWindowVisible(editor);
                })) {
                return;
            }
            RECT r;
            ::GetWindowRect(editor, &r);
            ClickScreen(r.left + 5760 / 15 + 20, r.top + 8);
            if (!PumpUntil([&] { return ::IsWindowVisible(program.MainWindow()) != FALSE; })) {
                return;
            }
        }
    };
    // The first use brings in what any use does (code, the editor's lists); growth is looked
    // for after it, over the rest: a thousand playbacks in all, a hundred editor openings.
    int playbacks = 5 + static_cast<int>(ourLatency.size() + heldLatency.size() + chordHold.size());
    int firstPlaybacks = playbacks;
    cycleEditor(counts.editorCycles / 10);
    int firstCycles = editorCycles;
    ::Sleep(2000);
    Resources afterFirstUse = Measure(program.Process());
    {
        KeyTarget target;
        double latency = 0;
        double hold = 0;
        for (; playbacks < counts.playbacks; ++playbacks) {
            Press(target, VK_F12, latency, hold);
        }
    }
    cycleEditor(counts.editorCycles - editorCycles);
    ::Sleep(2000);
    Resources afterUse = Measure(program.Process());
    double settled = CpuMs(program.Process());
    ::Sleep(5000);
    double idleCpuAfterUse = CpuMs(program.Process()) - settled;

    auto holdError = [](const std::vector<double>& holds, double wanted) {
        double worst = 0;
        double sum = 0;
        for (double h : holds) {
            worst = std::max(worst, std::abs(h - wanted));
            sum += h - wanted;
        }
        return std::pair{sum / static_cast<double>(holds.size()), worst};
    };
    PeFacts exe = ReadPe(programExe);
    std::string dllList;
    for (const std::string& dll : exe.imports) {
        dllList += (dllList.empty() ? "" : ", ") + dll;
    }

    std::printf("Runs %s to one processor; %zu start-ups and %zu presses of each, alternating.\n\n",
                pinned ? "pinned" : "NOT pinned (no taskset here)", ours.size(), ourLatency.size());
    std::printf(
        "| ms: median (p10-p90, p99) | Tavero Mirelle | Floor | Ratio |\n|---|---|---|---|\n");
    std::printf("%s", Row("Start-up to the first paint (floor: equivalent bare window)",
                          Summary(ours), Summary(floor))
                          .c_str());
    std::printf("%s", Row("Hotkey latency, a tap (floor: equivalent responder)",
                          Summary(ourLatency), Summary(floorLatency))
                          .c_str());
    std::printf("%s", Row("Hotkey latency, modifiers held (floor: equivalent responder)",
                          Summary(heldLatency), Summary(floorHeldLatency))
                          .c_str());
    std::printf("%s", Row("Hotkey latency, a tap, for comparison (floor: bare responder, which "
                          "releases no modifier)",
                          Summary(ourLatency), Summary(bareLatency))
                          .c_str());
    std::printf(
        "%s",
        Row("100 ms hold as the application saw it", Summary(ourHold), Summary(floorHold)).c_str());
    auto [mean200, worst200] = holdError(chordHold, 200);
    auto [mean100, worst100] = holdError(ourHold, 100);
    std::printf("\n| Measure | Tavero Mirelle |\n|---|---|\n");
    std::printf("| 100 ms hold: mean error, worst error | %+.2f ms, %.2f ms |\n", mean100,
                worst100);
    std::printf("| 200 ms hold (%zu chords): mean error, worst error | %+.2f ms, %.2f ms |\n",
                chordHold.size(), mean200, worst200);
    std::printf("| CPU over %d idle s after start, before any hotkey | %.1f ms |\n",
                counts.idleMs / 1000, idleCpuFresh);
    std::printf("| CPU over 5 idle s after %d playbacks and %d editor openings | %.1f ms |\n",
                playbacks, editorCycles, idleCpuAfterUse);
    std::printf(
        "| After start; after a first use (%d playbacks, %d editor openings); after all "
        "of it | |\n",
        firstPlaybacks, firstCycles);
    std::printf("| Working set | %.1f, %.1f, %.1f MiB |\n", atStart.workingSetMiB,
                afterFirstUse.workingSetMiB, afterUse.workingSetMiB);
    // Wine answers these with 0 for another process: no figure rather than a false one.
    auto counted = [](DWORD a, DWORD b, DWORD c) {
        if (a == 0 && b == 0 && c == 0) {
            return std::string("not reported here");
        }
        return std::to_string(a) + ", " + std::to_string(b) + ", " + std::to_string(c);
    };
    std::printf("| GDI objects | %s |\n",
                counted(atStart.gdi, afterFirstUse.gdi, afterUse.gdi).c_str());
    std::printf("| USER objects | %s |\n",
                counted(atStart.user, afterFirstUse.user, afterUse.user).c_str());
    std::printf("| Kernel handles | %s |\n",
                counted(atStart.handles, afterFirstUse.handles, afterUse.handles).c_str());
    std::printf("| Exe size | %.0f KiB |\n", static_cast<double>(exe.size) / 1024.0);
    std::printf("| Imported DLLs | %s |\n", dllList.c_str());
    return 0;
}
