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

constexpr Colour kGrey = 7;

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

// Without the font, Qt draws empty boxes; the tests would still find pixels.
TEST(CanvasText, UsesDejaVuSansAtExactPixelSizes) {
    for (int size : {13, 32}) {
        const QFontInfo info(CanvasFont(size));
        EXPECT_EQ(info.family(), QStringLiteral("DejaVu Sans"));
        EXPECT_EQ(info.pixelSize(), size);
    }
}

}  // namespace
}  // namespace twistor
