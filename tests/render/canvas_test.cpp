#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <cstdint>
#include <cstdlib>

#include "Pixels.h"
#include "render/Canvas.h"
#include "render/Palette.h"

namespace twistor {
namespace {

using test::Corners;
using test::CountColour;
using test::CountOther;
using test::Whole;

constexpr Colour kGrey = 7;

TEST(Canvas, StartsBlackAndReadsBackEveryColourNumber) {
    Canvas canvas(40, 30);
    EXPECT_EQ(canvas.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 0), 40 * 30);
    for (int c = 0; c < 16; ++c) canvas.FillRect(c, 0, c, 0, static_cast<Colour>(c));
    for (int c = 0; c < 16; ++c) EXPECT_EQ(canvas.ColourAt(c, 0), c);
    EXPECT_EQ(canvas.Image().pixel(9, 0), qRgb(0, 0, 255));
    EXPECT_EQ(canvas.ColourAt(-1, 0), -1);
    EXPECT_EQ(canvas.ColourAt(40, 0), -1);
    EXPECT_EQ(canvas.ColourAt(0, 30), -1);
}

TEST(Canvas, RectanglesIncludeBothCornersInAnyOrderAndClip) {
    Canvas canvas(50, 40);
    canvas.FillRect(10, 5, 20, 8, 12);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 12), 11 * 4);
    EXPECT_EQ(CountColour(canvas, Corners(10, 5, 20, 8), 12), 44);
    canvas.FillRect(20, 8, 10, 5, 9);  // corners swapped
    EXPECT_EQ(CountColour(canvas, Corners(10, 5, 20, 8), 9), 44);
    canvas.FillRect(-100, -100, 1000, 2, 14);  // mostly off the image
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 14), 50 * 3);
    canvas.FillRect(60, 0, 70, 10, 15);
    canvas.FillRect(0, -5, 10, -1, 15);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 15), 0);
}

TEST(Canvas, LinesIncludeBothEndsAndRoundHalvesUp) {
    Canvas canvas(60, 60);
    canvas.Line(5, 10, 15, 10, 10);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 10), 11);
    EXPECT_EQ(canvas.ColourAt(5, 10), 10);
    EXPECT_EQ(canvas.ColourAt(15, 10), 10);
    canvas.Line(30, 40, 30, 20, 11);  // upwards
    EXPECT_EQ(CountColour(canvas, Corners(30, 20, 30, 40), 11), 21);
    canvas.Line(4.5, 50.5, 9.5, 50.5, 12);  // a line on half pixels
    EXPECT_EQ(CountColour(canvas, Corners(5, 51, 10, 51), 12), 6);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 12), 6);
    canvas.Line(40, 20, 50, 10, 13);  // 45 degrees: one pixel per row and column
    for (int i = 0; i <= 10; ++i) EXPECT_EQ(canvas.ColourAt(40 + i, 20 - i), 13);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 13), 11);
}

TEST(Canvas, LinesAreClippedToTheImage) {
    Canvas canvas(20, 20);
    canvas.Line(-500, -500, -10, -400, 9);
    canvas.Line(30, 5, 1e12, 6, 9);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 9), 0);
    canvas.Line(-5, 25, 25, -5, 9);  // x + y = 20 across the image
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 9), 19);
    EXPECT_EQ(canvas.ColourAt(1, 19), 9);
    EXPECT_EQ(canvas.ColourAt(19, 1), 9);
}

// A diamond of one-pixel diagonals: 4-connected, nothing gets out.
TEST(FloodFill, DiagonalGreyLinesHoldTheFill) {
    Canvas canvas(80, 80);
    canvas.Line(40, 10, 70, 40, kGrey);
    canvas.Line(70, 40, 40, 70, kGrey);
    canvas.Line(40, 70, 10, 40, kGrey);
    canvas.Line(10, 40, 40, 10, kGrey);
    canvas.FloodFill(40, 40, 12);
    EXPECT_EQ(canvas.ColourAt(40, 40), 12);
    EXPECT_EQ(canvas.ColourAt(40, 11), 12);
    EXPECT_EQ(canvas.ColourAt(40, 9), 0);
    EXPECT_EQ(canvas.ColourAt(11, 11), 0);
    // The inside of a diamond of radius 30 holds 2 * 30 * 29 + 1 pixels.
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 12), 2 * 30 * 29 + 1);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), kGrey), 4 * 30);
}

// A border fill paints over any colour but grey, including the fill colour
// itself: a stripe of it must not stop the fill from reaching beyond.
TEST(FloodFill, PaintsEveryColourButTheBorderAndCrossesItsOwnColour) {
    Canvas canvas(60, 40);
    canvas.FillRect(10, 10, 50, 30, kGrey);
    canvas.FillRect(11, 11, 49, 29, 4);
    canvas.FillRect(20, 11, 22, 29, 9);  // the fill colour, wall to wall
    canvas.FillRect(30, 15, 35, 20, 0);
    canvas.FillRect(40, 11, 40, 28, 15);
    canvas.FloodFill(12.4, 12.6, 9);
    EXPECT_EQ(CountColour(canvas, Corners(11, 11, 49, 29), 9), 39 * 19);
    EXPECT_EQ(CountOther(canvas, Corners(10, 10, 50, 30), {9, kGrey}), 0);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 0), 60 * 40 - 41 * 21);
    EXPECT_EQ(canvas.Image().pixel(30, 20), kPalette[9]);  // opaque, as every pixel
}

TEST(FloodFill, SeedOnTheBorderOrOffTheImagePaintsNothing) {
    Canvas canvas(30, 30);
    canvas.Line(0, 15, 29, 15, kGrey);
    const QImage before = canvas.Image();
    canvas.FloodFill(10, 15, 12);
    canvas.FloodFill(9.6, 14.5, 12);  // rounds onto the line
    canvas.FloodFill(-1, 3, 12);
    canvas.FloodFill(30, 3, 12);
    canvas.FloodFill(3, 29.5, 12);
    EXPECT_EQ(canvas.Image(), before);
}

// An open region is filled to the image's edges and no further (the
// sanitizer build checks "no further").
TEST(FloodFill, OpenRegionsStopAtTheImageEdges) {
    Canvas canvas(64, 48);
    canvas.Line(0, 20, 63, 20, kGrey);
    canvas.FloodFill(63, 47, 13);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 13), 64 * 27);
    EXPECT_EQ(CountColour(canvas, Corners(0, 0, 63, 19), 0), 64 * 20);
    canvas.FloodFill(0, 0, 14);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 14), 64 * 20);
    Canvas empty(0, 0);
    empty.FloodFill(0, 0, 14);
    empty.Line(0, 0, 5, 5, 14);
    empty.FillRect(0, 0, 5, 5, 14);
    EXPECT_EQ(empty.ColourAt(0, 0), -1);
}

TEST(Canvas, ResizeKeepsTheOverlapAndBlackensNewArea) {
    Canvas canvas(30, 20);
    canvas.FillRect(0, 0, 29, 19, 14);
    canvas.Resize(50, 40);
    EXPECT_EQ(canvas.Width(), 50);
    EXPECT_EQ(canvas.Height(), 40);
    EXPECT_EQ(CountColour(canvas, Corners(0, 0, 29, 19), 14), 30 * 20);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 0), 50 * 40 - 30 * 20);
    // The new area is truly opaque black, so a fill treats it as any pixel.
    canvas.FloodFill(45, 35, 0);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 0), 50 * 40);
    canvas.FillRect(0, 0, 9, 9, 3);
    canvas.Resize(5, 60);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 3), 5 * 10);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), 0), 5 * 50);
}

// Black rectangles skip what the canvas knows to be black already; whatever
// was painted before, and however the canvas was resized, a black rectangle
// must leave its whole area black.
TEST(Canvas, BlackRectanglesClearEverythingPaintedBefore) {
    std::uint32_t state = 12345;
    const auto next = [&](int bound) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(bound));
    };
    Canvas canvas(120, 90);
    for (int i = 0; i < 400; ++i) {
        const auto colour = static_cast<Colour>(next(16));
        const int x = next(160) - 20;
        const int y = next(130) - 20;
        switch (next(6)) {
            case 0:
                canvas.FillRect(x, y, x + next(60) - 30, y + next(60) - 30, colour);
                break;
            case 1:
                canvas.Line(x, y, next(160) - 20 + 0.5, next(130) - 20, colour);
                break;
            case 2:
                canvas.Line(x, y, next(160) - 20, next(130) - 20, kGrey);
                break;
            case 3:
                canvas.FloodFill(x, y, colour);
                break;
            case 4:
                canvas.Text(x, y, QStringLiteral("Wg!"), colour, next(2) ? 13 : 32);
                break;
            default:
                if (next(4) == 0) canvas.Resize(60 + next(90), 50 + next(60));
                break;
        }
        const QRect clear = Corners(next(140) - 10, next(110) - 10, next(140) - 10, next(110) - 10)
                                .normalized()
                                .intersected(Whole(canvas));
        canvas.FillRect(clear.left(), clear.top(), clear.right(), clear.bottom(), 0);
        ASSERT_EQ(CountOther(canvas, clear, {0}), 0) << "after step " << i;
    }
}

// Without the font, Qt draws empty boxes; the tests would still find pixels.
TEST(CanvasText, UsesDejaVuSansAtExactPixelSizes) {
    for (int size : {13, 32}) {
        const QFontInfo info(CanvasFont(size));
        EXPECT_EQ(info.family(), QStringLiteral("DejaVu Sans"));
        EXPECT_EQ(info.pixelSize(), size);
    }
}

// The given point is the top-left of the first character, and the glyphs
// are solid: no blended pixels between text and background.
TEST(CanvasText, StartsAtTheTopLeftInSolidColour) {
    Canvas canvas(200, 60);
    canvas.FillRect(0, 0, 199, 59, 15);
    canvas.Text(20, 10, QStringLiteral("HIT"), 4, 13);
    const QRect ink = test::InkOf(canvas, Whole(canvas), 4);
    ASSERT_FALSE(ink.isEmpty());
    // Capitals start a little right of and just below the point.
    EXPECT_TRUE(Corners(20, 10, 23, 13).contains(ink.topLeft()));
    EXPECT_LE(ink.bottom(), 10 + 13);
    EXPECT_EQ(CountOther(canvas, Whole(canvas), {4, 15}), 0);
    // Between the glyphs the white stays.
    EXPECT_GT(CountColour(canvas, ink, 15), 0);
}

}  // namespace
}  // namespace twistor
