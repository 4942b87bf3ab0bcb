// The generated sprite sheet and icon: exact file layout, the outline of both sets against the window's
// inset table, where sprites are and are not, the lit set's differences, determinism.
#include "tools/art/bmp_codec.h"
#include "tools/art/icon.h"
#include "tools/art/sheet.h"
#include "support/skin_facts.h"
#include "view/window_shape.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
    return uint16_t(b[at] | b[at + 1] << 8);
}

art::Rect Rect(const facts::Box& b) {
    return art::Rect{b.x, b.y, b.w, b.h};
}

struct Rgb8 {
    int r, g, b;
    bool white() const { return r == 255 && g == 255 && b == 255; }
};

// The build's sheet file, read with top-down coordinates.
class SheetFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() { bytes_ = new std::vector<uint8_t>(ReadFile(TELLY_SKIN_PATH)); }
    static void TearDownTestSuite() { delete bytes_; }

    static Rgb8 At(int x, int y) {
        const uint8_t* p = &(*bytes_)[54 + (size_t(art::kSheetHeight - 1 - y) * art::kSheetWidth + x) * 3];
        return {p[2], p[1], p[0]};
    }
    // Calls f for every pixel of rectangle r shifted by (ox, 0).
    static bool Any(const art::Rect& r, int ox, const std::function<bool(Rgb8)>& f) {
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x)
                if (f(At(ox + x, y))) return true;
        return false;
    }
    static const std::vector<uint8_t>& Bytes() { return *bytes_; }

private:
    static std::vector<uint8_t>* bytes_;
};
std::vector<uint8_t>* SheetFile::bytes_ = nullptr;

TEST_F(SheetFile, HeadersAreExact) {
    const std::vector<uint8_t>& b = Bytes();
    ASSERT_EQ(b.size(), 14u + 40u + 921600u);
    struct Field {
        const char* name;
        size_t at;
        int bytes;
        uint32_t value;
    };
    const Field fields[] = {
        {"file size", 2, 4, 921654},
        {"reserved", 6, 4, 0},
        {"pixel offset", 10, 4, 54},
        {"biSize", 14, 4, 40},
        {"biWidth", 18, 4, 640},
        {"biHeight (bottom-up)", 22, 4, 480},
        {"biPlanes", 26, 2, 1},
        {"biBitCount", 28, 2, 24},
        {"biCompression", 30, 4, 0},
        {"biSizeImage", 34, 4, 921600},
        {"biXPelsPerMeter", 38, 4, 11811},
        {"biYPelsPerMeter", 42, 4, 11811},
        {"biClrUsed", 46, 4, 0},
        {"biClrImportant", 50, 4, 0},
    };
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    for (const Field& f : fields)
        EXPECT_EQ(f.bytes == 4 ? U32(b, f.at) : U16(b, f.at), f.value) << f.name;
}

TEST_F(SheetFile, IsWhatTheGeneratorDrawsEveryTime) {
    const std::vector<uint8_t> first = art::EncodeBmp24(art::MakeSheet());
    const std::vector<uint8_t> second = art::EncodeBmp24(art::MakeSheet());
    EXPECT_TRUE(first == second) << "two runs of the generator differ";
    EXPECT_TRUE(first == Bytes()) << "the build's skin.bmp is not what the generator draws";
}

// On every row the set's first non-white pixel is at the inset, the last at 223 - inset, and nothing in
// between is pure white (the set is one opaque sprite: a white pixel would show the previous picture).
TEST_F(SheetFile, BothSetsFollowTheOutlineOnEveryRow) {
    for (int origin : {0, facts::kLitOffset}) {
        for (int y = 0; y < 187; ++y) {
            int first = -1, last = -1, holes = 0;
            for (int x = 0; x < 224; ++x) {
                if (At(origin + x, y).white()) continue;
                if (first < 0) first = x;
                last = x;
            }
            for (int x = first; first >= 0 && x <= last; ++x)
                holes += At(origin + x, y).white();
            EXPECT_EQ(first, facts::Inset(y)) << "set at " << origin << ", row " << y;
            EXPECT_EQ(last, 223 - facts::Inset(y)) << "set at " << origin << ", row " << y;
            EXPECT_EQ(holes, 0) << "set at " << origin << ", row " << y;
        }
    }
}

TEST_F(SheetFile, IsPureWhiteOutsideTheSprites) {
    std::vector<art::Rect> sprites;
    for (const facts::Box& b : {facts::kPosKnob, facts::kPosKnobRed, facts::kVolKnob, facts::kVolKnobRed,
                                facts::kGreyPlayPause, facts::kWide[0], facts::kWide[1], facts::kWide[2]})
        sprites.push_back(Rect(b));
    int stray = 0;
    for (int y = 0; y < art::kSheetHeight; ++y)
        for (int x = 0; x < art::kSheetWidth; ++x) {
            const bool inSet = y < 187 && ((x >= facts::Inset(y) && x <= 223 - facts::Inset(y)) ||
                                           (x - 224 >= facts::Inset(y) && x - 224 <= 223 - facts::Inset(y)));
            bool inSprite = inSet;
            for (const art::Rect& r : sprites)
                inSprite |= x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
            stray += !inSprite && !At(x, y).white();
        }
    EXPECT_EQ(stray, 0) << "non-white pixels outside every sprite";
}

bool Yellow(Rgb8 c) {
    return c.r > 220 && c.g > 180 && c.b < 120;
}
bool Red(Rgb8 c) {
    return c.r > 200 && c.g < 90 && c.b < 90;
}
bool Green(Rgb8 c) {
    return c.g > 180 && c.r < 140 && c.b < 160;
}
bool NearWhite(Rgb8 c) {
    return c.r >= 240 && c.g >= 240 && c.b >= 240 && !c.white();
}
bool Opaque(Rgb8 c) {
    return !c.white();
}

TEST_F(SheetFile, SpritesHoldTheirElements) {
    struct Case {
        const char* what;
        art::Rect rect;
        int originX;
        std::function<bool(Rgb8)> has;
        bool expected;
    };
    const Case cases[] = {
        {"position knob: yellow line", Rect(facts::kPosKnob), 0, Yellow, true},
        {"position knob, variant: red line", Rect(facts::kPosKnobRed), 0, Red, true},
        {"volume knob: yellow line", Rect(facts::kVolKnob), 0, Yellow, true},
        {"volume knob, variant: red line", Rect(facts::kVolKnobRed), 0, Red, true},
        {"grey PLAY/PAUSE: white symbols", Rect(facts::kGreyPlayPause), 0, NearWhite, true},
        {"grey PLAY/PAUSE: no green", Rect(facts::kGreyPlayPause), 0, Green, false},
        {"WIDE 1", Rect(facts::kWide[0]), 0, Opaque, true},
        {"WIDE 2", Rect(facts::kWide[1]), 0, Opaque, true},
        {"WIDE 3", Rect(facts::kWide[2]), 0, Opaque, true},
        {"unlit PLAY/PAUSE: green triangle", Rect(facts::kPlayPause), 0, Green, true},
        {"unlit PLAY/PAUSE: no yellow", Rect(facts::kPlayPause), 0, Yellow, false},
        {"unlit REW: no green", Rect(facts::kRew), 0, Green, false},
        {"unlit STOP: no red", Rect(facts::kStop), 0, Red, false},
        {"unlit Rnd lamp: not green", art::Rect{154, 160, 13, 3}, 0, Green, false},
        {"lit REW: green arrows", Rect(facts::kRew), facts::kLitOffset, Green, true},
        {"lit FF: green arrows", Rect(facts::kFf), facts::kLitOffset, Green, true},
        {"lit STOP: red", Rect(facts::kStop), facts::kLitOffset, Red, true},
        {"lit PLAY/PAUSE: white triangle", Rect(facts::kPlayPause), facts::kLitOffset, NearWhite, true},
        {"lit PLAY/PAUSE: yellow pause", Rect(facts::kPlayPause), facts::kLitOffset, Yellow, true},
        {"lit Rnd lamp: green", art::Rect{154, 160, 13, 3}, facts::kLitOffset, Green, true},
        {"lit Rep lamp: green", art::Rect{168, 160, 13, 3}, facts::kLitOffset, Green, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Any(c.rect, c.originX, c.has), c.expected) << c.what;
}

// Every sprite fills its rectangle: its first and last row and column each hold a pixel of the sprite, so a
// sprite drawn a row or a column short (or long, see IsPureWhiteOutsideTheSprites) shows here.
TEST_F(SheetFile, SpritesReachTheEdgesOfTheirRectangles) {
    for (const facts::Box& b : {facts::kPosKnob, facts::kPosKnobRed, facts::kVolKnob, facts::kVolKnobRed,
                                facts::kGreyPlayPause, facts::kWide[0], facts::kWide[1], facts::kWide[2]}) {
        SCOPED_TRACE(testing::Message() << b.x << "," << b.y);
        EXPECT_TRUE(Any(art::Rect{b.x, b.y, b.w, 1}, 0, Opaque)) << "top row";
        EXPECT_TRUE(Any(art::Rect{b.x, b.y + b.h - 1, b.w, 1}, 0, Opaque)) << "bottom row";
        EXPECT_TRUE(Any(art::Rect{b.x, b.y, 1, b.h}, 0, Opaque)) << "left column";
        EXPECT_TRUE(Any(art::Rect{b.x + b.w - 1, b.y, 1, b.h}, 0, Opaque)) << "right column";
    }
}

// The lit set is the same set: it differs from the unlit one only inside the lit elements.
TEST_F(SheetFile, LitSetDiffersOnlyInItsLitElements) {
    const art::Rect lit[] = {Rect(facts::kRew),  Rect(facts::kPlayPause), Rect(facts::kFf),
                             Rect(facts::kStop), Rect(facts::kFull),      Rect(facts::kRnd),
                             Rect(facts::kRep)};
    for (const art::Rect& r : lit) {
        bool differs = false;
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x) {
                Rgb8 a = At(x, y), b = At(facts::kLitOffset + x, y);
                differs |= a.r != b.r || a.g != b.g || a.b != b.b;
            }
        EXPECT_TRUE(differs) << "element at " << r.x << "," << r.y;
    }
    int other = 0;
    for (int y = 0; y < 187; ++y)
        for (int x = 0; x < 224; ++x) {
            bool inLit = false;
            for (const art::Rect& r : lit)
                inLit |= x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
            Rgb8 a = At(x, y), b = At(facts::kLitOffset + x, y);
            other += !inLit && (a.r != b.r || a.g != b.g || a.b != b.b);
        }
    EXPECT_EQ(other, 0);
}

TEST(IconFile, HoldsThe16_32_48PixelImagesOfTheSet) {
    std::string path = TELLY_SKIN_PATH;
    path.replace(path.rfind("skin.bmp"), 8, "telly.ico");
    const std::vector<uint8_t> b = ReadFile(path);
    ASSERT_GE(b.size(), 6u + 3 * 16u);
    EXPECT_TRUE(b == art::MakeIconFile(art::MakeSheet()))
        << "the build's telly.ico is not what the generator draws";
    EXPECT_EQ(U16(b, 0), 0);
    EXPECT_EQ(U16(b, 2), 1);
    ASSERT_EQ(U16(b, 4), 3);
    const int sizes[3] = {16, 32, 48};
    for (int i = 0; i < 3; ++i) {
        const size_t e = 6 + 16 * size_t(i);
        const int n = sizes[i];
        EXPECT_EQ(b[e], n);
        EXPECT_EQ(b[e + 1], n);
        EXPECT_EQ(U16(b, e + 6), 32);
        const uint32_t bytes = U32(b, e + 8), at = U32(b, e + 12);
        ASSERT_LE(size_t(at) + bytes, b.size());
        EXPECT_EQ(U32(b, at), 40u);
        EXPECT_EQ(int(U32(b, at + 4)), n);
        EXPECT_EQ(int(U32(b, at + 8)), 2 * n);
        const size_t maskRow = size_t((n + 31) / 32) * 4;
        ASSERT_EQ(bytes, 40 + uint32_t(n * n * 4) + maskRow * n);
        // Rows are bottom-up: the last stored row is the top one.
        auto alpha = [&](int x, int y) { return b[at + 40 + (size_t(n - 1 - y) * n + x) * 4 + 3]; };
        auto masked = [&](int x, int y) {
            return (b[at + 40 + size_t(n * n * 4) + size_t(n - 1 - y) * maskRow + x / 8] >> (7 - x % 8)) & 1;
        };
        EXPECT_EQ(alpha(0, 0), 0) << n << " px: the top-left corner is outside the set";
        EXPECT_EQ(masked(0, 0), 1) << n << " px";
        EXPECT_EQ(alpha(n / 2, n / 2), 255) << n << " px: the middle is the screen";
        EXPECT_EQ(masked(n / 2, n / 2), 0) << n << " px";
    }
}

} // namespace
