#include "input/hit_boxes.h"

bool HitBox(int left, int top, int width, int height, int x, int y) {
    return left <= x && x <= left + width && top <= y && y <= top + height;
}

bool InBox(const SkinRect& box, int x, int y) {
    return HitBox(box.x, box.y, box.w, box.h, x, y);
}

bool HitsPositionKnob(int knobX, int barY, int x, int y) {
    return HitBox(knobX, barY, kPosKnobHitWidth, kPosKnobHitHeight, x, y);
}

bool HitsVolumeKnob(int knobX, int barY, int x, int y) {
    return HitBox(knobX, barY, kVolKnobHitWidth, kVolKnobHitHeight, x, y);
}

SkinButton SkinButtonAt(int x, int y) {
    struct Entry {
        const SkinRect* box;
        SkinButton button;
    };
    // The movie picture is the screen hole.
    static const Entry kOrder[] = {
        {&kRndSwitch, SkinButton::Rnd},
        {&kRepSwitch, SkinButton::Rep},
        {&kFfKey, SkinButton::Ff},
        {&kRewKey, SkinButton::Rew},
        {&kStopKey, SkinButton::Stop},
        {&kFullSwitch, SkinButton::Full},
        {&kPlayPauseKey, SkinButton::PlayPause},
        {&kScreenHole, SkinButton::Picture},
    };
    for (const Entry& e : kOrder) {
        if (InBox(*e.box, x, y)) return e.button;
    }
    return SkinButton::None;
}
