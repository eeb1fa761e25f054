#include "playback/KeyRelease_win.h"

#include "platform/KeyInjector_win.h"
#include "platform/MessagePump_win.h"
#include "platform/Wine_win.h"
#include "playback/StuckKeys.h"

namespace tavero {

namespace {

bool DownNow(int key) {
    return ::GetAsyncKeyState(key) < 0;
}

// How long the keyboard waits before it repeats a held key, and a little more.
int RepeatDelayMs() {
    int delay = 1;  // 0 to 3: 250 ms to a second
    ::SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
    return (delay + 1) * 250 + 100;
}

}  // namespace

std::vector<int> KeyRelease::ReleaseAll() {
    if (releasing_) {
        return {};  // asked again while listening: the first asking does it
    }
    // Under Wine every key event comes from its one keyboard device, injected or not, so no hand
    // can be told there: every key down is let go of (Wine brings keys a hand holds back from
    // the X server when a window next takes the focus).
    bool handsKnown = !RunningUnderWine();
    auto handHeld = [this, handsKnown](int key) {
        return handsKnown && watch_.HandState(key) == UserKeyboard::Key::Down;
    };
    if (StuckKeys(DownNow, handHeld).empty()) {
        return {};
    }
    releasing_ = true;
    bool listened = watch_.Listening();
    watch_.Listen(true);
    bool unknown = false;
    for (int key : StuckKeys(DownNow, handHeld)) {
        unknown = unknown || (handsKnown && watch_.HandState(key) == UserKeyboard::Key::Unknown);
    }
    if (unknown) {
        MessagePump::RunFor(RepeatDelayMs());
    }
    watch_.CatchUp();
    std::vector<int> stuck = StuckKeys(DownNow, handHeld);
    std::vector<KeyEvent> ups;
    for (int key : stuck) {
        ups.push_back({key, true});
    }
    AssignScanCodes(ups);
    injector_.Send(ups);
    if (!listened) {
        watch_.Listen(false);
    }
    releasing_ = false;
    return stuck;
}

}  // namespace tavero
