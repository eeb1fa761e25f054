#include "playback/ElevatedTargets.h"

#include "platform/Texts.h"

namespace tavero {

ElevatedTargets::Verdict ElevatedTargets::Check() {
    if (!known_) {
        foreground_ = integrity_.Foreground();
        known_ = true;
    }
    if (!ownAsked_) {
        own_ = integrity_.Own();
        ownAsked_ = true;
    }
    if (!foreground_ || !own_ || foreground_->level <= *own_) {
        return {};
    }
    Verdict verdict{false, std::nullopt};
    if (told_.insert({foreground_->id, foreground_->started}).second) {
        verdict.tell = Text(TAVERO_TEXT_UNREACHABLE, {foreground_->name});
    }
    return verdict;
}

}  // namespace tavero
