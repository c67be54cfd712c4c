// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "cube/Random.h"
#include "cube/View.h"

namespace twistor {

inline constexpr int kMinCubeSize = 2;
inline constexpr int kMaxCubeSize = 20;

inline bool IsValidCubeSize(int n) {
    return n >= kMinCubeSize && n <= kMaxCubeSize;
}

// A colour number 0..15 of the 16-colour palette. 0 (black) and 7 (light
// grey) belong to the drawing and are never the colour of a face.
using Colour = std::int8_t;
inline constexpr Colour kBackground = 0;
inline constexpr Colour kBoundaryGrey = 7;
inline bool IsFaceColour(int c) {
    return c >= 1 && c <= 15 && c != kBoundaryGrey;
}

// A click on an edge line of the front face as it is shown on screen. Every
// move of the game, whoever makes it, is one of these.
struct Click {
    int PickButton = kLeftButton;  // 1 turns a column, 2 a row
    int PickColumn = 1;            // screen column 1..N, from the left
    int PickRow = 1;               // screen row 1..N, from the top

    friend bool operator==(const Click&, const Click&) = default;
};

// True when the click lies on an edge that its button can push across: a
// left click on the top or bottom row, a right click on the left or right
// column.
bool IsEdgeClick(const Click& c, int n);

// 1: the line moves up (column) or to the right (row); 2: down or left.
int TurnDirection(const Click& c, int n);

// The stickers of an N x N x N cube. Stickers(x, y, f) is the colour of
// column x, row y of face f in the face's own coordinates, all from 1.
// StickersCopy is the snapshot every turn takes; puzzle files keep it, and
// a cell that was never copied holds kNeverCopied.
class Cube {
  public:
    static constexpr int kStride = kMaxCubeSize;
    static constexpr int kFaceCells = kStride * kStride;
    static constexpr int kCells = 6 * kFaceCells;
    static constexpr Colour kNeverCopied = -1;

    // Throws std::out_of_range for a size outside 2..20.
    explicit Cube(int size);

    int CubeSize() const { return size_; }

    // Makes this a cube of another size, as when a new cube is laid out.
    // The stickers are left for the caller to deal; the snapshot of the last
    // turn stays as it was. Throws std::out_of_range outside 2..20.
    void Resize(int size);

    Colour Sticker(int x, int y, int f) const { return stickers_[Index(x, y, f)]; }
    void SetSticker(int x, int y, int f, Colour c) { stickers_[Index(x, y, f)] = c; }
    Colour StickerCopy(int x, int y, int f) const { return copy_[Index(x, y, f)]; }
    void SetStickerCopy(int x, int y, int f, Colour c) { copy_[Index(x, y, f)] = c; }

    // Every face uniform.
    bool IsSolved() const;

    // Paints face f in one colour.
    void FillFace(int f, Colour c);

    // Performs a click from the given view: the clicked line and the three
    // lines of its ring move on by one face, and an outer line turns the
    // face that lies along it. The click must be an edge click.
    void TurnSlice(View view, Click click);

    // The same as TurnSlice on every line parallel to the clicked one, all
    // in the same direction: the whole cube turns, stickers and all.
    void TurnAllSlices(View view, int button, int direction);

    friend bool operator==(const Cube& a, const Cube& b);

  private:
    static int Index(int x, int y, int f) {
        return (f - 1) * kFaceCells + (y - 1) * kStride + (x - 1);
    }
    void Snapshot();
    void MoveLines(View view, int button, int direction, int firstLine, int lastLine);
    void TurnOuterFace(View view, int button, int direction, int line);

    int size_;
    std::array<Colour, kCells> stickers_{};
    std::array<Colour, kCells> copy_;
};

// Deals the six colours of `faceColours` (slots 1..6 at index 0..5) to the
// six faces at random, every face uniform. Returns false and changes nothing
// unless the set holds six different face colours: with fewer the deal
// could never finish.
bool DealColours(Cube& cube, std::span<const int, 6> faceColours, Random& rnd);

bool IsValidColourSet(std::span<const int, 6> faceColours);

}  // namespace twistor
