// Measures the program against floors built from the same tree, alternating between them run
// by run so that both see the same machine:
//   start-up: process start to the first paint done (the process idles for input with
//             nothing left to paint), against an equivalent bare window;
//   latency:  the hotkey's key going in to the action's key reaching a focused window,
//             against an equivalent responder (the same releases of the hotkey's modifiers,
//             the same presses), and, to show what those releases cost, a bare one.
// Then holds, memory and handle counts over long use, idle CPU, and a quit that saves a 50 MB
// set.ini. With --busy, only latency and holds, for a run while other processes keep every
// processor busy. Prints Markdown.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BenchStats.h"
#include "BenchSupport_win.h"
#include "KeyTarget_win.h"
#include "PressModesBench_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"
#include "platform/Texts.h"
#include "ui/MainLayout.h"

using namespace tavero::bench;
using namespace tavero::testing;

namespace {

// How many of each: the full run, and the quick one (--quick) that checks the benchmark itself.
struct Counts {
    int startUps, presses, playbacks, editorCycles, idleMs, bigSaves;
};
constexpr Counts kFull{30, 200, 1000, 100, 10000, 5};
constexpr Counts kQuick{3, 10, 60, 5, 1000, 1};

// Press by press, alternating between the program (Ctrl+Alt+F12, B held 100 ms), the
// equivalent responder (Ctrl+Alt+F11) and the bare one (Ctrl+Alt+F9); then with the modifiers
// held; then the program's 200 ms chord (Ctrl+Alt+F10, Ctrl + B), tapped and held as in the
// journey a user makes.
struct Presses {
    std::vector<double> latency, floorLatency, bareLatency, hold, floorHold;
    std::vector<double> heldLatency, floorHeldLatency, chordHold, heldChordHold;
    int count() const {
        return static_cast<int>(latency.size() + heldLatency.size() + chordHold.size() +
                                heldChordHold.size());
    }
};

bool PressAll(const Counts& counts, Presses& p) {
    // Ctrl + Alt + F11: the equivalent responder; Ctrl + Alt + F9: the bare one.
    PROCESS_INFORMATION equivalent = StartResponder(L"--equivalent 3 122 100 66");
    PROCESS_INFORMATION bare = StartResponder(L"3 120 100 66");
    KeyTarget target;
    InputRecorder stream;
    bool focused = static_cast<bool>(target.Activate());
    double latency = 0;
    double hold = 0;
    for (int i = 0; i < 5 && focused; ++i) {  // warm-up
        for (int key : {VK_F12, VK_F11, VK_F9}) {
            Press(target, stream, key, latency, hold);
        }
    }
    for (int i = 0; i < counts.presses && focused; ++i) {
        if (Press(target, stream, VK_F12, latency, hold)) {
            p.latency.push_back(latency);
            p.hold.push_back(hold);
        }
        if (Press(target, stream, VK_F11, latency, hold)) {
            p.floorLatency.push_back(latency);
            p.floorHold.push_back(hold);
        }
        if (Press(target, stream, VK_F9, latency, hold)) {
            p.bareLatency.push_back(latency);
        }
    }
    // As many as the taps: on fewer, the p99 would be the slowest press alone.
    for (int i = 0; i < counts.presses && focused; ++i) {
        if (Press(target, stream, VK_F12, latency, hold, false)) {
            p.heldLatency.push_back(latency);
        }
        if (Press(target, stream, VK_F11, latency, hold, false)) {
            p.floorHeldLatency.push_back(latency);
        }
    }
    for (int i = 0; i < counts.presses / 4 && focused; ++i) {
        if (Press(target, stream, VK_F10, latency, hold)) {
            p.chordHold.push_back(hold);
        }
        if (Press(target, stream, VK_F10, latency, hold, false)) {
            p.heldChordHold.push_back(hold);
        }
    }
    StopResponder(equivalent);
    StopResponder(bare);
    return focused;
}

void PrintLatency(const Presses& p) {
    std::printf(
        "| ms: median (p10-p90, p99) | Tavero Mirelle | Floor | Ratio |\n|---|---|---|---|\n");
    std::printf("%s", Row("Hotkey latency, a tap (floor: equivalent responder)", Summary(p.latency),
                          Summary(p.floorLatency))
                          .c_str());
    std::printf("%s", Row("Hotkey latency, modifiers held (floor: equivalent responder)",
                          Summary(p.heldLatency), Summary(p.floorHeldLatency))
                          .c_str());
    std::printf("%s", Row("Hotkey latency, a tap, for comparison (floor: bare responder, which "
                          "releases no modifier)",
                          Summary(p.latency), Summary(p.bareLatency))
                          .c_str());
    std::printf(
        "%s",
        Row("100 ms hold in the input stream", Summary(p.hold), Summary(p.floorHold)).c_str());
    std::printf("\n%s", kHoldHeader);
    std::printf("%s", HoldRow("100 ms hold, a tap", p.hold, 100).c_str());
    std::printf("%s", HoldRow("200 ms chord, a tap", p.chordHold, 200).c_str());
    std::printf(
        "%s",
        HoldRow("200 ms chord, modifiers held (the journey's)", p.heldChordHold, 200).c_str());
}

// Quits a program whose set.ini holds 50 MB of lines it keeps, and no hotkeys yet: the quit
// writes the thirty hotkey values and every other line, in one save.
std::vector<double> TimeBigSaves(int runs) {
    std::string settings = "[filler]\r\n";
    std::string line = "key=" + std::string(96, 'x') + "\r\n";
    while (settings.size() < 50u << 20) {
        settings += line;
    }
    std::vector<double> took;
    for (int i = 0; i < runs; ++i) {
        ProgramUnderTest program(settings);
        if (!program.Start()) {
            continue;
        }
        double start = NowMs();
        ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
        if (program.WaitForExit(60000) == 0 && program.Settings().size() > settings.size()) {
            took.push_back(NowMs() - start);
        }
    }
    return took;
}

// The CPU a program takes over `seconds` with its ten rows armed, half of them only in another
// program and half everywhere but this one, with the focus still, then moving between two
// windows of this one twice a second: what following the focus costs.
struct FocusCpu {
    double still = -1;
    double moving = -1;
};
FocusCpu CpuFollowingTheFocus(int seconds) {
    std::string settings = Settings() + "[Scope]\r\n";
    for (int row = 0; row < 10; ++row) {
        settings += std::to_string(row) + (row % 2 ? "=notepad.exe\r\n" : "=!bench.exe\r\n");
    }
    ProgramUnderTest program(settings);
    FocusCpu cpu;
    if (!program.Start()) {
        return cpu;
    }
    for (int row = 0; row < 10; ++row) {
        program.Tick(row);
    }
    KeyTarget first;
    KeyTarget second;
    // Measured while this process sleeps: under Wine a process that pumps its messages every few
    // milliseconds costs every other windowed process some CPU (a bare window's too).
    ::SetForegroundWindow(first.Handle());
    PumpFor(1000);
    double before = CpuMs(program.Process());
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    cpu.still = CpuMs(program.Process()) - before;
    before = CpuMs(program.Process());
    for (int i = 0; i < seconds * 2; ++i) {
        ::SetForegroundWindow(i % 2 ? first.Handle() : second.Handle());
        PumpFor(50);
        ::Sleep(450);
    }
    cpu.moving = CpuMs(program.Process()) - before;
    ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    program.WaitForExit();
    return cpu;
}

}  // namespace

int main(int argc, char** argv) {
    bool pinned = false;
    bool busy = false;
    // A quick look at one measure while working on it.
    bool startUpOnly = false;
    bool latencyOnly = false;
    bool focusOnly = false;
    bool pressOnly = false;
    Counts counts = kFull;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            counts = kQuick;
        }
        pinned = pinned || std::strcmp(argv[i], "--pinned") == 0;
        busy = busy || std::strcmp(argv[i], "--busy") == 0;
        startUpOnly = startUpOnly || std::strcmp(argv[i], "--start-up") == 0;
        latencyOnly = latencyOnly || std::strcmp(argv[i], "--latency") == 0;
        focusOnly = focusOnly || std::strcmp(argv[i], "--focus") == 0;
        pressOnly = pressOnly || std::strcmp(argv[i], "--press") == 0;
    }
    std::wstring programExe = WinePath(TAVERO_EXE_PATH);
    std::wstring windowExe = WinePath(TAVERO_REFERENCE_WINDOW_PATH);

    // Start-up, alternating, after a warm-up run of each, both closed as a user closes them
    // between runs: a process killed leaves its hooks and icon to be cleaned up lazily, which
    // delays whichever starts next.
    std::vector<double> ours, floor, oursIdle, floorIdle;
    if (pressOnly) {
        std::printf("%s", MeasurePressModes(counts.presses / 4, counts.presses / 10, 5000).c_str());
        return 0;
    }
    if (!latencyOnly && !busy) {
        TempFolder folder;
        std::wstring exe = folder.File(L"TaveroMirelle.exe");
        ::CopyFileW(programExe.c_str(), exe.c_str(), FALSE);
        WriteFileBytes(folder.File(L"set.ini"), Settings());
        for (int i = 0; i <= counts.startUps; ++i) {
            PROCESS_INFORMATION pi{};
            const wchar_t* referenceTitle = L"reference window";
            StartUp reference = TimeStartUp(windowExe, folder.Path(), referenceTitle, pi);
            CloseAndWait(pi, referenceTitle);
            std::wstring title = tavero::Text(TAVERO_TEXT_MAIN_CAPTION);
            StartUp program = TimeStartUp(exe, folder.Path(), title.c_str(), pi);
            CloseAndWait(pi, title.c_str());
            if (i > 0) {
                floor.push_back(reference.firstPaint);
                ours.push_back(program.firstPaint);
                floorIdle.push_back(reference.inputIdle);
                oursIdle.push_back(program.inputIdle);
            }
        }
    }
    if (focusOnly) {
        FocusCpu cpu = CpuFollowingTheFocus(5);
        std::printf("focus still %.1f ms, moving %.1f ms\n", cpu.still, cpu.moving);
        return 0;
    }
    if (startUpOnly) {
        std::printf(
            "%s",
            Row("Start-up to the strip on the screen", Summary(ours), Summary(floor)).c_str());
        std::printf(
            "%s", Row("Start-up to rest, waiting for input", Summary(oursIdle), Summary(floorIdle))
                      .c_str());
        return 0;
    }

    ProgramUnderTest program(Settings());
    if (!program.Start()) {
        std::printf("cannot start the program\n");
        return 1;
    }
    Resources atStart = Measure(program.Process());
    double idleBefore = CpuMs(program.Process());
    ::Sleep(latencyOnly || busy ? 0 : counts.idleMs);
    double idleCpuFresh = CpuMs(program.Process()) - idleBefore;
    for (int row = 0; row < 10; ++row) {
        program.Tick(row);
    }
    Presses presses;
    if (!PressAll(counts, presses)) {
        std::printf("the key target could not get the keyboard focus: %s\n",
                    DescribeForeground().c_str());
        return 1;
    }
    if (busy) {
        std::printf("%zu presses of each, alternating.\n\n", presses.latency.size());
        PrintLatency(presses);
        return 0;
    }
    if (latencyOnly) {
        PrintLatency(presses);
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
                    editor = program.Editor();
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
    int playbacks = 5 + presses.count();
    int firstPlaybacks = playbacks;
    cycleEditor(counts.editorCycles / 10);
    int firstCycles = editorCycles;
    ::Sleep(2000);
    Resources afterFirstUse = Measure(program.Process());
    {
        KeyTarget target;
        InputRecorder stream;
        target.Activate();
        double latency = 0;
        double hold = 0;
        for (; playbacks < counts.playbacks; ++playbacks) {
            Press(target, stream, VK_F12, latency, hold);
        }
    }
    cycleEditor(counts.editorCycles - editorCycles);
    ::Sleep(2000);
    Resources afterUse = Measure(program.Process());
    double settled = CpuMs(program.Process());
    ::Sleep(5000);
    double idleCpuAfterUse = CpuMs(program.Process()) - settled;
    ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    program.WaitForExit();
    Stats bigSave = Summary(TimeBigSaves(counts.bigSaves));
    std::string pressModes = MeasurePressModes(counts.presses / 4, counts.presses / 10, 5000);
    FocusCpu focusCpu = CpuFollowingTheFocus(5);

    PeFacts exe = ReadPe(programExe);
    std::string dllList;
    for (const std::string& dll : exe.imports) {
        dllList += (dllList.empty() ? "" : ", ") + dll;
    }

    std::printf("Runs %s to one processor; %zu start-ups and %zu presses of each, alternating.\n\n",
                pinned ? "pinned" : "NOT pinned (no taskset here)", ours.size(),
                presses.latency.size());
    std::printf(
        "| ms: median (p10-p90, p99) | Tavero Mirelle | Floor | Ratio |\n|---|---|---|---|\n");
    std::printf("%s", Row("Start-up to the title strip on the screen (floor: equivalent bare "
                          "window)",
                          Summary(ours), Summary(floor))
                          .c_str());
    std::printf("%s", Row("Start-up to rest, waiting for input (floor: equivalent bare window)",
                          Summary(oursIdle), Summary(floorIdle))
                          .c_str());
    std::printf("\n");
    PrintLatency(presses);
    std::printf("\n%s", pressModes.c_str());
    std::printf("\n| Measure | Tavero Mirelle |\n|---|---|\n");
    std::printf(
        "| Quit with a 50 MB set.ini, saved whole (%d runs): median, slowest | %.0f ms, "
        "%.0f ms |\n",
        counts.bigSaves, bigSave.median, bigSave.max);
    std::printf("| CPU over %d idle s after start, before any hotkey | %.1f ms |\n",
                counts.idleMs / 1000, idleCpuFresh);
    std::printf("| CPU over 5 idle s after %d playbacks and %d editor openings | %.1f ms |\n",
                playbacks, editorCycles, idleCpuAfterUse);
    std::printf(
        "| CPU over 5 s, rows armed only in some programs: the focus still; moving twice a "
        "second | %.1f ms; %.1f ms |\n",
        focusCpu.still, focusCpu.moving);
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
