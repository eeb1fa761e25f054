// An action code from set.ini: a whole plan or none, never half of one.
#include "FuzzText.h"
#include "playback/ActionCode.h"

using namespace tavero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<PlaybackStep> plan = ReadActionCode(fuzz::Units(data, size));
    if (plan.empty()) {
        return 0;
    }
    // N keys down, one hold, the N keys up in reverse order.
    std::size_t keys = (plan.size() - 1) / 2;
    TAVERO_FUZZ_CHECK(plan.size() == 2 * keys + 1 && keys >= 1 && keys <= 3);
    const PlaybackStep& hold = plan[keys];
    TAVERO_FUZZ_CHECK(hold.kind == PlaybackStep::Kind::Pause);
    TAVERO_FUZZ_CHECK(hold.value == (keys == 1 ? kOneKeyHoldMs : kChordHoldMs));
    for (std::size_t i = 0; i < keys; ++i) {
        const PlaybackStep& down = plan[i];
        const PlaybackStep& up = plan[plan.size() - 1 - i];
        TAVERO_FUZZ_CHECK(down.kind == PlaybackStep::Kind::KeyDown);
        TAVERO_FUZZ_CHECK(up.kind == PlaybackStep::Kind::KeyUp && up.value == down.value);
        TAVERO_FUZZ_CHECK(down.value >= 0 && down.value <= 255);
    }
    return 0;
}
