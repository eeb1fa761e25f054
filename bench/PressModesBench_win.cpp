#include "PressModesBench_win.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "BenchStats.h"
#include "BenchSupport_win.h"
#include "KeyTarget_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"
#include "platform/Ticker_win.h"

namespace tavero::bench {

using namespace tavero::testing;

namespace {

void Down(int key) {
    WaitOutWinesKeyStateCopy();
    SendKey(VK_CONTROL, false);
    SendKey(VK_MENU, false);
    SendKey(key, false);
}

void Up(int key) {
    SendKey(key, true);
    SendKey(VK_MENU, true);
    SendKey(VK_CONTROL, true);
}

std::vector<double> Downs(const InputRecorder& stream, int key, double from) {
    std::vector<double> at;
    for (const InputRecord& r : stream.Records()) {
        if (r.key == key && !r.up && r.ms >= from) {
            at.push_back(r.ms);
        }
    }
    return at;
}

}  // namespace

std::string MeasurePressModes(int holds, int taps, int idleMs) {
    ProgramUnderTest program(PressModeRows());
    if (!program.Start()) {
        return "the program could not be started\n";
    }
    for (int row = 0; row < 3; ++row) {
        program.Tick(row);
    }
    KeyTarget target;
    if (!target.Activate()) {
        return "the key target could not get the keyboard focus: " + DescribeForeground() + "\n";
    }
    InputRecorder stream;

    // Held a moment, then let go of: the lateness of B's release after F5's.
    std::vector<double> lateness;
    for (int i = 0; i < holds; ++i) {
        double from = NowMs();
        Down(VK_F5);
        if (!PumpUntil([&] { return stream.Seen('B', false, from) >= 0; })) {
            Up(VK_F5);
            return "a held row pressed nothing\n";
        }
        PumpFor(50);
        SendKey(VK_F5, true);
        PumpUntil([&] { return stream.Seen('B', true, from) >= 0; });
        lateness.push_back(stream.Seen('B', true, from) - stream.Seen(VK_F5, true, from));
        SendKey(VK_MENU, true);
        SendKey(VK_CONTROL, true);
        PumpUntil([] { return FirstKeyDown() == 0; }, 1000);
    }

    // Held two seconds: the first repetition after the delay, then the rate.
    double from = NowMs();
    Down(VK_F6);
    PumpFor(2000);
    Up(VK_F6);
    PumpUntil([] { return FirstKeyDown() == 0; }, 1000);
    std::vector<double> at = Downs(stream, 'A', from);
    std::vector<double> periods;
    for (std::size_t i = 2; i < at.size(); ++i) {
        periods.push_back(at[i] - at[i - 1]);
    }
    KeyboardRepeat repeat = KeyboardRepeatSettings();

    // Taps of 350 ms.
    std::vector<double> tapHolds;
    for (int i = 0; i < taps; ++i) {
        double tapFrom = NowMs();
        WaitOutWinesKeyStateCopy();
        SendChord({VK_CONTROL, VK_MENU, VK_F7});
        PumpUntil([&] { return stream.Seen('C', true, tapFrom) >= 0; });
        tapHolds.push_back(stream.Seen('C', true, tapFrom) - stream.Seen('C', false, tapFrom));
    }

    // Armed to hold, holding nothing: no CPU.
    PumpFor(1000);
    double before = CpuMs(program.Process());
    ::Sleep(static_cast<DWORD>(idleMs));
    double idle = CpuMs(program.Process()) - before;

    Stats late = Summary(lateness);
    Stats period = Summary(periods);
    char text[1024];
    std::snprintf(
        text, sizeof(text),
        "| How a row presses | Tavero Mirelle |\n|---|---|\n"
        "| Hold while held: B let go of after the hotkey's key, ms (%d holds): median, p99, "
        "latest | %.2f, %.2f, %.2f |\n"
        "| Repeat while held, two seconds: the first repetition after, ms (the system's delay "
        "%d); the period, median and p10-p90, ms (the system's %d) | %.1f; %.1f (%.1f-%.1f), "
        "%zu repetitions |\n"
        "| CPU over %d s, a row armed to hold, holding nothing | %.1f ms |\n\n",
        holds, late.median, late.p99, late.max, repeat.delayMs, repeat.periodMs,
        at.size() > 1 ? at[1] - at[0] : -1.0, period.median, period.p10, period.p90,
        at.size() > 0 ? at.size() - 1 : 0, idleMs / 1000, idle);
    return text + std::string(kHoldHeader) +
           HoldRow("A tap of the row's own 350 ms", tapHolds, 350);
}

}  // namespace tavero::bench
