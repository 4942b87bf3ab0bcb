#include "input/hit_boxes.h"

bool HitBox(int left, int top, int width, int height, int x, int y) {
    return left <= x && x <= left + width && top <= y && y <= top + height;
}

bool InBox(const SkinBox& box, int x, int y) { return HitBox(box.left, box.top, box.width, box.height, x, y); }

bool HitsPositionKnob(int knobX, int barY, int x, int y) {
    return HitBox(knobX, barY, kPosBarLength, kPosBoxHeight, x, y);
}

bool HitsVolumeKnob(int knobX, int barY, int x, int y) {
    return HitBox(knobX, barY, kVolBarLength, kVolBoxHeight, x, y);
}

SkinButton SkinButtonAt(int x, int y) {
    struct Entry {
        const SkinBox* box;
        SkinButton button;
    };
    static const Entry kOrder[] = {
        {&kRndBox, SkinButton::Rnd},   {&kRepBox, SkinButton::Rep},   {&kFfBox, SkinButton::Ff},
        {&kRewBox, SkinButton::Rew},   {&kStopBox, SkinButton::Stop}, {&kFullBox, SkinButton::Full},
        {&kPlayPauseBox, SkinButton::PlayPause}, {&kPictureBox, SkinButton::Picture},
    };
    for (const Entry& e : kOrder) {
        if (InBox(*e.box, x, y)) return e.button;
    }
    return SkinButton::None;
}
