// The pure pieces of the skin renderer: the white-keyed pixel copy, the drawing-area clip and the check
// of a bitmap resource.
#include "view/skin_bitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

using namespace fw;

namespace {

TEST(CopyKeyedPixels, LeavesOutPureWhiteOnly) {
    struct Case {
        BYTE b, g, r;
        bool copied;
    };
    const Case cases[] = {
        {255, 255, 255, false}, {254, 255, 255, true}, {255, 254, 255, true}, {255, 255, 254, true},
        {254, 254, 254, true},  {0, 0, 0, true},       {12, 34, 56, true},
    };
    for (const Case& c : cases) {
        const BYTE src[3] = {c.b, c.g, c.r};
        BYTE dst[3] = {1, 2, 3};
        CopyKeyedPixels(src, 0, dst, 0, 1, 1);
        const bool copied = std::memcmp(dst, src, 3) == 0;
        EXPECT_EQ(copied, c.copied) << int(c.b) << "," << int(c.g) << "," << int(c.r);
        if (!c.copied) {
            EXPECT_TRUE(dst[0] == 1 && dst[1] == 2 && dst[2] == 3);
        }
    }
}

// Runs of opaque pixels between white ones land in place; the white ones keep the destination.
TEST(CopyKeyedPixels, CopiesRowsByTheirStepsIntoABottomUpTarget) {
    const BYTE W = 255;
    // Source: 4 x 2, top-down, rows 12 bytes long plus 3 bytes of padding that must not be read as pixels.
    const BYTE src[2][15] = {
        {1, 1, 1, W, W, W, 2, 2, 2, 3, 3, 3, 9, 9, 9},
        {W, W, W, 4, 4, 4, W, W, W, 5, 5, 5, 9, 9, 9},
    };
    // Target: 5 x 2 bottom-up (the top row is stored last), filled with 7.
    BYTE dst[2][15];
    std::memset(dst, 7, sizeof dst);
    CopyKeyedPixels(&src[0][0], 15, &dst[1][3], -15, 4, 2);
    const BYTE top[15] = {7, 7, 7, 1, 1, 1, 7, 7, 7, 2, 2, 2, 3, 3, 3};
    const BYTE bottom[15] = {7, 7, 7, 7, 7, 7, 4, 4, 4, 7, 7, 7, 5, 5, 5};
    EXPECT_EQ(std::memcmp(dst[1], top, 15), 0);
    EXPECT_EQ(std::memcmp(dst[0], bottom, 15), 0);
}

TEST(CopyKeyedPixels, EmptySizesCopyNothing) {
    const BYTE src[3] = {1, 2, 3};
    for (int size : {0, -1}) {
        BYTE dst[3] = {7, 7, 7};
        CopyKeyedPixels(src, 3, dst, -3, size, 1);
        CopyKeyedPixels(src, 3, dst, -3, 1, size);
        EXPECT_TRUE(dst[0] == 7 && dst[1] == 7 && dst[2] == 7) << size;
    }
}

// A small picture with white and non-white pixels scattered (and long runs of each), stored bottom-up.
struct Picture {
    static constexpr int kW = 19, kH = 7;
    BYTE bytes[kH][kW * 3];
    Picture() {
        unsigned seed = 12345;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                seed = seed * 1103515245u + 12345u;
                const bool white = y == 2 ? x < 15 : (seed >> 16) % 3 == 0;
                BYTE* p = &bytes[kH - 1 - y][x * 3];
                p[0] = white ? 255 : BYTE(x), p[1] = white ? 255 : BYTE(y),
                p[2] = white ? 255 : BYTE(seed >> 24);
                if (!white && x == 5) p[0] = p[1] = 255, p[2] = 254; // near white is opaque
            }
    }
    const BYTE* Top() const { return bytes[kH - 1]; }
    static constexpr std::ptrdiff_t kStep = -kW * 3;
};

// The indexed copy gives exactly what the pixel-testing copy gives, for every rectangle of the picture.
TEST(OpaqueRuns, CopiesLikeThePixelTest) {
    Picture pic;
    COpaqueRuns runs;
    ASSERT_TRUE(runs.Build(pic.Top(), pic.kStep, pic.kW, pic.kH));
    int rectangles = 0;
    for (int sy = 0; sy < pic.kH; ++sy)
        for (int h = 1; sy + h <= pic.kH; ++h)
            for (int sx = 0; sx < pic.kW; ++sx)
                for (int w = 1; sx + w <= pic.kW; ++w) {
                    BYTE expected[Picture::kH][Picture::kW * 3], got[Picture::kH][Picture::kW * 3];
                    std::memset(expected, 7, sizeof expected);
                    std::memset(got, 7, sizeof got);
                    const std::ptrdiff_t step = -Picture::kW * 3;
                    CopyKeyedPixels(pic.Top() + sy * pic.kStep + sx * 3, pic.kStep, &expected[pic.kH - 1][0],
                                    step, w, h);
                    runs.CopyOpaque(pic.Top(), pic.kStep, sx, sy, w, h, &got[pic.kH - 1][0], step);
                    ASSERT_EQ(std::memcmp(expected, got, sizeof got), 0)
                        << sx << "," << sy << " " << w << "x" << h;
                    ++rectangles;
                }
    EXPECT_GT(rectangles, 1000);
}

TEST(OpaqueRuns, RowsOutsideThePictureOrAnEmptyTableHaveNoSpans) {
    Picture pic;
    COpaqueRuns runs;
    int count = 5;
    EXPECT_EQ(runs.Row(0, &count), nullptr) << "nothing built";
    EXPECT_EQ(count, 0);
    ASSERT_TRUE(runs.Build(pic.Top(), pic.kStep, pic.kW, pic.kH));
    for (int y : {-1, Picture::kH}) {
        count = 5;
        EXPECT_EQ(runs.Row(y, &count), nullptr) << y;
        EXPECT_EQ(count, 0) << y;
    }
    runs.Row(2, &count);
    EXPECT_EQ(count, 1) << "row 2: white up to x 15, one run after it";

    // A row that ends in white has no empty run at its end.
    const BYTE row[12] = {255, 255, 255, 0, 0, 200, 255, 255, 255, 255, 255, 255};
    ASSERT_TRUE(runs.Build(row, 12, 4, 1));
    const int* span = runs.Row(0, &count);
    ASSERT_EQ(count, 1);
    EXPECT_TRUE(span[0] == 1 && span[1] == 2);
}

TEST(ClipToDrawingArea, ClipsEachEdgeAndMovesTheSourceWithTheLeftAndTopCuts) {
    struct Case {
        const char* what;
        SpriteBlit in;
        bool drawn;
        SpriteBlit out;
    };
    const Case cases[] = {
        {"inside", {10, 20, 448, 0, 11, 7}, true, {10, 20, 448, 0, 11, 7}},
        {"left edge", {-3, 149, 448, 0, 11, 7}, true, {0, 149, 451, 0, 8, 7}},
        {"top edge", {5, -2, 0, 10, 20, 17}, true, {5, 0, 0, 12, 20, 15}},
        {"top-left corner", {-2, -3, 448, 0, 11, 7}, true, {0, 0, 450, 3, 9, 4}},
        {"one column left", {-10, 0, 448, 0, 11, 7}, true, {0, 0, 458, 0, 1, 7}},
        {"one row left", {0, -6, 448, 0, 11, 7}, true, {0, 0, 448, 6, 11, 1}},
        {"reaching x 336", {330, 0, 0, 0, 11, 7}, true, {330, 0, 0, 0, 6, 7}},
        {"reaching y 400", {0, 395, 0, 0, 224, 187}, true, {0, 395, 0, 0, 224, 5}},
        {"last pixel", {335, 399, 7, 9, 5, 5}, true, {335, 399, 7, 9, 1, 1}},
        {"ending exactly at 336", {325, 0, 0, 0, 11, 7}, true, {325, 0, 0, 0, 11, 7}},
        {"starting at x 336", {336, 0, 0, 0, 11, 7}, false, {}},
        {"right of the area", {337, 0, 0, 0, 11, 7}, false, {}},
        {"starting at y 400", {0, 400, 0, 0, 11, 7}, false, {}},
        {"wholly left", {-11, 0, 448, 0, 11, 7}, false, {}},
        {"wholly above", {0, -7, 448, 0, 11, 7}, false, {}},
        {"empty", {0, 0, 0, 0, 0, 7}, false, {}},
        {"huge values", {INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX}, false, {}},
        {"huge negative offset", {INT_MIN, INT_MIN, 0, 0, INT_MAX, INT_MAX}, false, {}},
    };
    for (const Case& c : cases) {
        SpriteBlit b = c.in;
        ASSERT_EQ(ClipToDrawingArea(&b), c.drawn) << c.what;
        if (!c.drawn) continue;
        EXPECT_EQ(b.dx, c.out.dx) << c.what;
        EXPECT_EQ(b.dy, c.out.dy) << c.what;
        EXPECT_EQ(b.sx, c.out.sx) << c.what;
        EXPECT_EQ(b.sy, c.out.sy) << c.what;
        EXPECT_EQ(b.w, c.out.w) << c.what;
        EXPECT_EQ(b.h, c.out.h) << c.what;
    }
}

// A 4 x 2 24-bit bitmap resource: header then pixels.
std::vector<BYTE> Resource(int width = 4, int height = 2) {
    BITMAPINFOHEADER h = {};
    h.biSize = 40;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    h.biSizeImage = DWORD(width * (height < 0 ? -height : height) * 3);
    std::vector<BYTE> bytes(40 + h.biSizeImage, 0x40);
    std::memcpy(bytes.data(), &h, 40);
    return bytes;
}

BITMAPINFOHEADER* Header(std::vector<BYTE>& bytes) {
    return reinterpret_cast<BITMAPINFOHEADER*>(bytes.data());
}

TEST(IsUsableSkinResource, AcceptsWhatTheRendererCanAddress) {
    struct Case {
        const char* what;
        void (*edit)(std::vector<BYTE>&);
    };
    const Case cases[] = {
        {"bottom-up", [](std::vector<BYTE>&) {}},
        {"top-down", [](std::vector<BYTE>& b) { Header(b)->biHeight = -2; }},
        {"image size 0", [](std::vector<BYTE>& b) { Header(b)->biSizeImage = 0; }},
        {"trailing bytes", [](std::vector<BYTE>& b) { b.push_back(0); }},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bytes = Resource();
        c.edit(bytes);
        DWORD imageSize = 0;
        EXPECT_TRUE(IsUsableSkinResource(bytes.data(), DWORD(bytes.size()), &imageSize)) << c.what;
        EXPECT_EQ(imageSize, 24u) << c.what;
    }
}

TEST(IsUsableSkinResource, RejectsWhatWouldBeReadOrWrittenOutOfBounds) {
    struct Case {
        const char* what;
        void (*edit)(std::vector<BYTE>&);
    };
    const Case cases[] = {
        {"pixels cut short", [](std::vector<BYTE>& b) { b.pop_back(); }},
        {"header only", [](std::vector<BYTE>& b) { b.resize(40); }},
        {"header cut short", [](std::vector<BYTE>& b) { b.resize(39); }},
        {"longer header", [](std::vector<BYTE>& b) { Header(b)->biSize = 124; }},
        {"two planes", [](std::vector<BYTE>& b) { Header(b)->biPlanes = 2; }},
        {"32 bits per pixel", [](std::vector<BYTE>& b) { Header(b)->biBitCount = 32; }},
        {"8 bits per pixel", [](std::vector<BYTE>& b) { Header(b)->biBitCount = 8; }},
        {"compressed", [](std::vector<BYTE>& b) { Header(b)->biCompression = 1; }},
        {"width 0", [](std::vector<BYTE>& b) { Header(b)->biWidth = 0, Header(b)->biSizeImage = 0; }},
        {"negative width", [](std::vector<BYTE>& b) { Header(b)->biWidth = -4; }},
        {"width not a multiple of 4", [](std::vector<BYTE>& b) { Header(b)->biWidth = 3; }},
        {"width too large", [](std::vector<BYTE>& b) { Header(b)->biWidth = kMaxSkinDimension + 4; }},
        {"height 0", [](std::vector<BYTE>& b) { Header(b)->biHeight = 0; }},
        {"height too large", [](std::vector<BYTE>& b) { Header(b)->biHeight = kMaxSkinDimension + 1; }},
        {"most negative height", [](std::vector<BYTE>& b) { Header(b)->biHeight = INT32_MIN; }},
        {"image size disagrees", [](std::vector<BYTE>& b) { Header(b)->biSizeImage = 48; }},
        {"taller than its pixels",
         [](std::vector<BYTE>& b) { Header(b)->biHeight = 3, Header(b)->biSizeImage = 0; }},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bytes = Resource();
        c.edit(bytes);
        DWORD imageSize = 0;
        EXPECT_FALSE(IsUsableSkinResource(bytes.data(), DWORD(bytes.size()), &imageSize)) << c.what;
    }
    DWORD imageSize = 0;
    EXPECT_FALSE(IsUsableSkinResource(nullptr, 100, &imageSize)) << "no data";
}

} // namespace
