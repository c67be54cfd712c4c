#include <gtest/gtest.h>

#include <QImage>

#include "Pixels.h"
#include "render/Canvas.h"
#include "render/CubeDrawing.h"
#include "render/Layout.h"
#include "render/SidePanel.h"

namespace twistor {
namespace {

using test::Corners;
using test::CountColour;
using test::CountOther;
using test::InkOf;
using test::Whole;

constexpr int kBlack = 0;
constexpr int kLightGreen = 10;
constexpr int kLightCyan = 11;
constexpr int kWhite = 15;

Canvas WhiteCanvas() {
    Canvas canvas(800, 560);
    canvas.FillRect(0, 0, 799, 559, kWhite);
    return canvas;
}

TEST(SolvePanel, HighlightMovesBetweenTheBoxesAndTheHintStays) {
    Canvas canvas(800, 560);
    DrawSolvePanel(canvas, false);
    const QRect hint = Corners(0, 135, 200, 170);
    const QImage hintBefore = canvas.Image().copy(hint);
    EXPECT_EQ(CountOther(canvas, kUserBox, {kLightCyan, kBlack}), 0);
    EXPECT_EQ(CountOther(canvas, kComputerBox, {kWhite, kBlack}), 0);

    DrawSolvePanel(canvas, true);
    EXPECT_EQ(CountOther(canvas, kUserBox, {kWhite, kBlack}), 0);
    EXPECT_EQ(CountOther(canvas, kComputerBox, {kLightCyan, kBlack}), 0);
    EXPECT_GT(CountColour(canvas, kUserBox, kWhite), kUserBox.width() * kUserBox.height() / 2);
    // Exactly the boxes, corners included.
    EXPECT_EQ(canvas.ColourAt(32, 32), kWhite);
    EXPECT_EQ(canvas.ColourAt(113, 65), kWhite);
    EXPECT_EQ(canvas.ColourAt(32, 129), kLightCyan);
    EXPECT_EQ(canvas.ColourAt(113, 96), kLightCyan);
    for (const QPoint p : {QPoint(31, 32), QPoint(114, 65), QPoint(113, 66), QPoint(32, 95),
                           QPoint(32, 130), QPoint(114, 129)}) {
        EXPECT_EQ(canvas.ColourAt(p.x(), p.y()), kBlack) << p.x() << "," << p.y();
    }
    // Every word is black ink on its box.
    for (const QRect& line : {Corners(33, 33, 113, 48), Corners(33, 49, 113, 65),
                              Corners(33, 97, 113, 112), Corners(33, 113, 113, 129)}) {
        EXPECT_GT(CountColour(canvas, line, kBlack), 20);
    }
    EXPECT_EQ(canvas.Image().copy(hint), hintBefore);
    EXPECT_GT(CountColour(canvas, hint, kLightGreen), 100);
    EXPECT_EQ(CountOther(canvas, hint, {kLightGreen, kBlack}), 0);
}

// On a white background the black words show wherever they fall: all of
// them must lie in their boxes, each starting at its text position.
TEST(SolvePanel, WordsStayInsideTheirBoxes) {
    Canvas canvas = WhiteCanvas();
    DrawSolvePanel(canvas, false);
    const QRect panel = Corners(0, 0, 200, 200);
    EXPECT_EQ(CountColour(canvas, panel, kBlack),
              CountColour(canvas, kUserBox, kBlack) + CountColour(canvas, kComputerBox, kBlack));
    const QRect user = InkOf(canvas, kUserBox, kBlack);
    EXPECT_TRUE(Corners(33, 33, 36, 36).contains(user.topLeft()));
    const QRect hint = InkOf(canvas, panel, kLightGreen);
    EXPECT_TRUE(Corners(10, 140, 200, 140 + kWindowFontPixels + 2).contains(hint));
}

TEST(SolvedBands, GreenBoxesWithTheWordsAndTheRestOfTheBandsBlack) {
    Canvas canvas = WhiteCanvas();
    ShowSolvedBands(canvas);
    for (const QRect& black : {Corners(7, 255, 208, 287), Corners(7, 330, 208, 355),
                               Corners(591, 167, 792, 199), Corners(591, 242, 792, 267)}) {
        EXPECT_EQ(CountOther(canvas, black, {kBlack}), 0);
    }
    for (const QRect& box : {Corners(8, 288, 201, 329), Corners(592, 200, 785, 241)}) {
        EXPECT_EQ(CountOther(canvas, box, {kLightGreen, kBlack}), 0);
        EXPECT_GT(CountColour(canvas, box, kBlack), 300);  // "Solved Cube!" in large letters
        EXPECT_EQ(canvas.ColourAt(box.left(), box.top()), kLightGreen);
        EXPECT_EQ(canvas.ColourAt(box.right(), box.bottom()), kLightGreen);
        // The text starts at the box's left edge, two pixels below its top.
        EXPECT_EQ(CountColour(canvas, box.adjusted(0, 0, 0, 2 - box.height()), kBlack), 0);
    }
    // The words fit their boxes; beside the boxes the band keeps what it had.
    for (const QRect& beside : {Corners(7, 288, 7, 329), Corners(202, 288, 208, 329),
                                Corners(591, 200, 591, 241), Corners(786, 200, 792, 241)}) {
        EXPECT_EQ(CountOther(canvas, beside, {kWhite}), 0);
    }
    // Nothing outside the bands: 202 x 101 each, less the 1 + 7 columns
    // beside each 42-row box.
    EXPECT_EQ(CountColour(canvas, Whole(canvas), kWhite), 800 * 560 - 2 * (202 * 101 - 8 * 42));
}

TEST(SolvedBands, ClearingBlackensExactlyBothBands) {
    Canvas canvas = WhiteCanvas();
    ShowSolvedBands(canvas);
    ClearSolvedBands(canvas);
    EXPECT_EQ(CountColour(canvas, Corners(7, 255, 208, 355), kBlack), 202 * 101);
    EXPECT_EQ(CountColour(canvas, Corners(591, 167, 792, 267), kBlack), 202 * 101);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), kBlack), 2 * 202 * 101);
}

// In a wide window the figure reaches the right band's own place: the band
// moves beside the figure, so neither showing nor clearing it touches the
// cube, and a band shown before at the old place goes.
TEST(SolvedBands, KeepClearOfTheFigureInAWideWindow) {
    EXPECT_EQ(RightBandArea(FigureBounds(ComputeLayout(3, 792, 540))), kRightBandArea);
    for (int width : {1024, 1366, 1920}) {
        Canvas canvas(width, 900);
        ShowSolvedBands(canvas);  // at the band's own place, as before a wide layout
        const Layout g = ComputeLayout(3, width, 900);
        Cube cube(3);
        for (int f = 1; f <= 6; ++f) cube.FillFace(f, static_cast<Colour>(f + 8));
        DrawCube(canvas, cube, View{1, 1}, g);
        const QImage drawn = canvas.Image();
        const QRect figure = FigureBounds(g);
        const QRect band = RightBandArea(figure);
        EXPECT_FALSE(band.intersects(figure)) << width;
        ShowSolvedBands(canvas, band, figure);
        ClearSolvedBands(canvas, band, figure);
        EXPECT_EQ(canvas.Image().copy(figure), drawn.copy(figure)) << width;
        EXPECT_EQ(CountOther(canvas, kRightBandArea.intersected(QRect(0, 0, width, 900)), {kBlack}) -
                      CountOther(canvas, kRightBandArea.intersected(figure), {kBlack}),
                  0)
            << "nothing of the earlier band is left beside the figure";
    }
}

TEST(SidePanel, ClearingBlackensTheCornerOnly) {
    Canvas canvas = WhiteCanvas();
    DrawSolvePanel(canvas, true);
    ClearSidePanel(canvas);
    EXPECT_EQ(CountOther(canvas, kSidePanelArea, {kBlack}), 0);
    EXPECT_EQ(CountColour(canvas, Whole(canvas), kBlack), 201 * 201);
}

}  // namespace
}  // namespace twistor
