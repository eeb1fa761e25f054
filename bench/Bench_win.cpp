// Measures the program against the floor: a minimal responder that registers the same hotkey
// and sends the same keys. Prints its figures as Markdown.
#include <windows.h>

#include <psapi.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "KeyTarget_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"
#include "ui/ControlIds.h"

using namespace tavero::testing;

namespace {

constexpr int kPresses = 200;
constexpr int kHoldPresses = 50;
constexpr UINT kModifiers = MOD_CONTROL | MOD_ALT;

struct Sample {
    double latency;  // hotkey injected -> first key-down seen by the focused window
    double hold;     // that key's down -> up
};

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    std::size_t i = static_cast<std::size_t>(std::ceil(p * static_cast<double>(values.size()))) - 1;
    return values[std::min(i, values.size() - 1)];
}

double Mean(const std::vector<double>& v) {
    return std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
}

// Presses Ctrl + Alt + `key` like a user and waits for `expect` to go down and up in the target.
bool Press(KeyTarget& target, int key, int expect, Sample& sample) {
    target.Clear();
    SendKey(VK_CONTROL, false);
    SendKey(VK_MENU, false);
    double start = KeyTarget::NowMs();
    SendKey(key, false);
    SendKey(key, true);
    SendKey(VK_MENU, true);
    SendKey(VK_CONTROL, true);
    double down = -1;
    double up = -1;
    bool done = PumpUntil(
        [&] {
            for (const KeyRecord& r : target.Records()) {
                if (r.key == expect && r.Down() && down < 0) {
                    down = r.ms;
                } else if (r.key == expect && !r.Down() && down >= 0) {
                    up = r.ms;
                }
            }
            return up >= 0;
        },
        3000);
    PumpUntil([] { return FirstKeyDown() == 0; }, 1000);
    sample = {down - start, up - down};
    return done;
}

std::vector<Sample> PressMany(KeyTarget& target, int key, int expect, int count) {
    std::vector<Sample> samples;
    for (int i = 0; i < count; ++i) {
        Sample s{};
        if (Press(target, key, expect, s)) {
            samples.push_back(s);
        }
    }
    return samples;
}

std::vector<double> Latencies(const std::vector<Sample>& samples) {
    std::vector<double> v;
    for (const Sample& s : samples)
        v.push_back(s.latency);
    return v;
}

struct HoldStats {
    double mean;
    double worst;
};

HoldStats Holds(const std::vector<Sample>& samples, double wanted) {
    std::vector<double> errors;
    for (const Sample& s : samples)
        errors.push_back(s.hold - wanted);
    double worst = 0;
    for (double e : errors)
        worst = std::max(worst, std::abs(e));
    return {Mean(errors), worst};
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

double WorkingSetMiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    ::K32GetProcessMemoryInfo(process, &counters, sizeof(counters));
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// The DLLs an executable imports, read from its import directory.
std::set<std::string> ImportedDlls(const std::wstring& path, std::size_t& size) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    size = bytes.size();
    std::set<std::string> dlls;
    auto at = [&](std::size_t offset) { return bytes.data() + offset; };
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0));
    auto nt =
        reinterpret_cast<const IMAGE_NT_HEADERS64*>(at(static_cast<std::size_t>(dos->e_lfanew)));
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto sections = IMAGE_FIRST_SECTION(nt);
    auto toOffset = [&](DWORD rva) -> std::size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const auto& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize) {
                return rva - s.VirtualAddress + s.PointerToRawData;
            }
        }
        return 0;
    };
    for (auto imp =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(toOffset(dir.VirtualAddress)));
         imp->Name != 0; ++imp) {
        std::string name = at(toOffset(imp->Name));
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        dlls.insert(name);
    }
    return dlls;
}

std::string Settings() {
    std::string s =
        "[conftext]\r\n0=B \r\n1=Ctrl + B \r\n[conftooltip]\r\n0=1|66\r\n1=2|17|66\r\n[Tavero]\r\n";
    // Row 1 Ctrl+Alt+F12, row 2 Ctrl+Alt+F11, rows 3..10 Ctrl+Alt+F1..F8: ten armed rows.
    int keys[] = {VK_F12, VK_F11, VK_F1, VK_F2, VK_F3, VK_F4, VK_F5, VK_F6, VK_F7, VK_F8};
    for (int i = 0; i < 10; ++i) {
        std::string n = "Tavero" + std::to_string(i + 1);
        s += n + "Text=hotkey\r\n" + n + "KeyCode=" + std::to_string(keys[i]) + "\r\n" + n +
             "ModKeyCode=3\r\n";
    }
    return s;
}

struct Reference {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;

    // Starts it and waits for its window; the time that took, in ms.
    double Start() {
        std::wstring exe = WinePath(TAVERO_REFERENCE_PATH);
        std::wstring commandLine = L"\"" + exe + L"\" 3 123 100 66";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        double t0 = KeyTarget::NowMs();
        if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &process)) {
            return -1;
        }
        PumpUntil([&] {
            window = ::FindWindowW(nullptr, L"reference responder");
            return window != nullptr;
        });
        return KeyTarget::NowMs() - t0;
    }
    void Stop() {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        ::WaitForSingleObject(process.hProcess, 5000);
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
    }
};

// Median start-up of both over alternating runs, after one warm-up run each.
std::pair<double, double> StartUps(int runs) {
    std::vector<double> ours;
    std::vector<double> reference;
    for (int i = 0; i <= runs; ++i) {
        Reference r;
        double ref = r.Start();
        r.Stop();
        ProgramUnderTest program;
        double t0 = KeyTarget::NowMs();
        program.Start();
        double our = KeyTarget::NowMs() - t0;
        ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
        program.WaitForExit();
        if (i > 0) {
            ours.push_back(our);
            reference.push_back(ref);
        }
    }
    return {Percentile(ours, 0.5), Percentile(reference, 0.5)};
}

}  // namespace

int main() {
    auto [programStart, referenceStart] = StartUps(5);

    // The reference responder: same hotkey, same key, same hold.
    Reference reference;
    if (reference.Start() < 0) {
        std::printf("cannot start the reference responder\n");
        return 1;
    }
    double referenceSet = WorkingSetMiB(reference.process.hProcess);
    std::vector<Sample> referenceSamples;
    {
        KeyTarget target;
        PressMany(target, VK_F12, 'B', 5);  // warm-up
        referenceSamples = PressMany(target, VK_F12, 'B', kPresses);
    }
    reference.Stop();

    // The program, with ten rows armed.
    ProgramUnderTest program(Settings());
    if (!program.Start()) {
        std::printf("cannot start the program\n");
        return 1;
    }
    double programSet = WorkingSetMiB(program.Process());
    for (int row = 0; row < 10; ++row) {
        program.Click(program.ArmBox(row));
        PumpUntil([&] { return program.Ticked(row); });
    }
    std::vector<Sample> oneKey;
    std::vector<Sample> chord;
    {
        KeyTarget target;
        PressMany(target, VK_F12, 'B', 5);
        oneKey = PressMany(target, VK_F12, 'B', kPresses);
        chord = PressMany(target, VK_F11, 'B', kHoldPresses);
    }
    double cpuBefore = CpuMs(program.Process());
    ::Sleep(10000);
    double idleCpu = CpuMs(program.Process()) - cpuBefore;

    std::size_t exeSize = 0;
    std::set<std::string> dlls = ImportedDlls(WinePath(TAVERO_EXE_PATH), exeSize);

    auto refLat = Latencies(referenceSamples);
    auto ourLat = Latencies(oneKey);
    double refMedian = Percentile(refLat, 0.5);
    double ourMedian = Percentile(ourLat, 0.5);
    HoldStats hold100 = Holds(oneKey, 100);
    HoldStats hold200 = Holds(chord, 200);
    HoldStats refHold = Holds(referenceSamples, 100);

    std::printf("| Measure | Tavero Mirelle | Reference responder |\n|---|---|---|\n");
    std::printf("| Presses measured | %zu | %zu |\n", oneKey.size(), referenceSamples.size());
    std::printf("| Latency, median | %.3f ms | %.3f ms |\n", ourMedian, refMedian);
    std::printf("| Latency, 99th percentile | %.3f ms | %.3f ms |\n", Percentile(ourLat, 0.99),
                Percentile(refLat, 0.99));
    std::printf("| Latency ratio (median) | %.2f | 1 |\n", ourMedian / refMedian);
    std::printf(
        "| 100 ms hold: mean error, worst absolute error | %+.2f ms, %.2f ms | %+.2f ms, %.2f ms "
        "|\n",
        hold100.mean, hold100.worst, refHold.mean, refHold.worst);
    std::printf(
        "| 200 ms hold (%zu presses): mean error, worst absolute error | %+.2f ms, %.2f ms | - |\n",
        chord.size(), hold200.mean, hold200.worst);
    std::printf("| CPU time over 10 idle seconds, ten rows armed | %.1f ms | - |\n", idleCpu);
    std::printf(
        "| Start-up, median of 5: process start to main window shown | %.1f ms | %.1f ms (window "
        "made) |\n",
        programStart, referenceStart);
    std::printf("| Working set after start | %.1f MiB | %.1f MiB |\n", programSet, referenceSet);
    std::printf("| Exe size | %.0f KiB | - |\n", static_cast<double>(exeSize) / 1024.0);
    std::string list;
    for (const std::string& dll : dlls)
        list += (list.empty() ? "" : ", ") + dll;
    std::printf("| Imported DLLs | %s | - |\n", list.c_str());
    return 0;
}
