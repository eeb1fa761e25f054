#include "playback/StuckKeys.h"

#include "platform/Keys.h"

namespace tavero {

namespace {
bool IsMouseButton(int key) {
    return key == 0x01 || key == 0x02 || key == 0x04 || key == 0x05 || key == 0x06;
}
bool IsGenericModifier(int key) {
    return key == vk::kShift || key == vk::kControl || key == vk::kMenu;
}
}  // namespace

std::vector<int> StuckKeys(const std::function<bool(int key)>& down,
                           const std::function<bool(int key)>& handHeld) {
    std::vector<int> stuck;
    for (int key = 1; key <= 254; ++key) {
        if (!IsMouseButton(key) && !IsGenericModifier(key) && down(key) && !handHeld(key)) {
            stuck.push_back(key);
        }
    }
    return stuck;
}

}  // namespace tavero
