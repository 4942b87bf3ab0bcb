// The skin's hit boxes: both edges inside, and the order in which a press tests the buttons.
#include "input/hit_boxes.h"

#include <gtest/gtest.h>

namespace {

TEST(HitBox, BothEdgesAreInsideAndOneBeyondIsOutside) {
    // left 10, top 20, width 5, height 3 covers x 10..15, y 20..23.
    const struct {
        int x, y;
        bool inside;
    } probes[] = {
        {10, 20, true}, {15, 23, true}, {9, 21, false}, {16, 21, false}, {12, 19, false}, {12, 24, false},
    };
    for (const auto& p : probes)
        EXPECT_EQ(HitBox(10, 20, 5, 3, p.x, p.y), p.inside) << p.x << "," << p.y;
}

TEST(SkinButtonAt, CornersOfEveryBoxAndTheGapsBetween) {
    const struct {
        int x, y;
        SkinButton want;
    } probes[] = {
        {154, 160, SkinButton::Rnd},
        {167, 176, SkinButton::Rnd},
        {168, 160, SkinButton::Rep},
        {181, 176, SkinButton::Rep},
        {62, 161, SkinButton::Ff},
        {76, 178, SkinButton::Ff},
        {76, 170, SkinButton::Ff}, // FF and STOP share x 76: FF is tested first
        {77, 161, SkinButton::Stop},
        {89, 178, SkinButton::Stop},
        {23, 161, SkinButton::Rew},
        {37, 178, SkinButton::Rew},
        {136, 162, SkinButton::Full},
        {152, 177, SkinButton::Full},
        {38, 161, SkinButton::PlayPause},
        {59, 178, SkinButton::PlayPause},
        {24, 22, SkinButton::Picture},
        {200, 142, SkinButton::Picture},
        {60, 170, SkinButton::None},
        {153, 170, SkinButton::None},
        {100, 143, SkinButton::None},
        {190, 170, SkinButton::None}, // the close box is handled apart
        {62, 160, SkinButton::None},
        {136, 178, SkinButton::None},
        // One row below each bottom edge, one column past each right edge.
        {70, 179, SkinButton::None},
        {30, 179, SkinButton::None},
        {82, 179, SkinButton::None},
        {48, 179, SkinButton::None},
        {160, 177, SkinButton::None},
        {174, 177, SkinButton::None},
        {90, 170, SkinButton::None},
        {201, 100, SkinButton::None},
        {23, 100, SkinButton::None},
        {100, 21, SkinButton::None},
    };
    for (const auto& p : probes)
        EXPECT_EQ(SkinButtonAt(p.x, p.y), p.want) << p.x << "," << p.y;
    EXPECT_TRUE(InBox(kCloseBox, 183, 160));
    EXPECT_TRUE(InBox(kCloseBox, 201, 179));
    EXPECT_FALSE(InBox(kCloseBox, 202, 170));
    EXPECT_FALSE(InBox(kCloseBox, 192, 180));
    EXPECT_FALSE(InBox(kCloseBox, 182, 170));
    EXPECT_FALSE(InBox(kCloseBox, 192, 159));
}

TEST(KnobBoxes, ReachOneBarLengthRightOfTheKnobOnly) {
    const struct {
        bool position;
        int knob, x, y;
        bool hit;
    } probes[] = {
        {true, 100, 100, 150, true},  {true, 100, 276, 155, true},  {true, 100, 99, 152, false},
        {true, 100, 277, 152, false}, {true, 100, 150, 156, false}, {false, 93, 93, 172, true},
        {false, 93, 132, 177, true},  {false, 93, 133, 175, false}, {false, 110, 100, 175, false},
    };
    for (const auto& p : probes) {
        const bool hit =
            p.position ? HitsPositionKnob(p.knob, 150, p.x, p.y) : HitsVolumeKnob(p.knob, 172, p.x, p.y);
        EXPECT_EQ(hit, p.hit) << p.position << " knob " << p.knob << " at " << p.x << "," << p.y;
    }
}

} // namespace
