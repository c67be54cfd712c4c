// SPDX-License-Identifier: GPL-3.0-or-later
#include "cube/Cube.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "cube/Tables.h"

namespace twistor {

namespace {

// Screen line m of a face seen in `turn` (a column for the left button, a
// row for the right one), as a walk through the face's cells: where cell 1
// of the line lies and how far on each next cell is, counted from cell
// (1, 1) of the face, with rows kStride apart.
struct LineWalk {
    int start;
    int step;
};

LineWalk LineOf(int turn, int button, int m, int n) {
    constexpr int kRow = Cube::kStride;
    if (button == kLeftButton) {
        switch (turn) {
            case 1:
                return {m - 1, kRow};  // (m, k)
            case 2:
                return {(n - m) * kRow, 1};  // (k, N - m + 1)
            case 3:
                return {(n - m) + (n - 1) * kRow, -kRow};  // (N - m + 1, N - k + 1)
            default:
                return {(m - 1) * kRow + (n - 1), -1};  // (N - k + 1, m)
        }
    }
    switch (turn) {
        case 1:
            return {(m - 1) * kRow, 1};  // (k, m)
        case 2:
            return {(m - 1) + (n - 1) * kRow, -kRow};  // (m, N - k + 1)
        case 3:
            return {(n - m) * kRow + (n - 1), -1};  // (N - k + 1, N - m + 1)
        default:
            return {n - m, kRow};  // (N - m + 1, k)
    }
}

}  // namespace

bool IsEdgeClick(const Click& c, int n) {
    if (c.PickColumn < 1 || c.PickColumn > n || c.PickRow < 1 || c.PickRow > n) return false;
    if (c.PickButton == kLeftButton) return c.PickRow == 1 || c.PickRow == n;
    if (c.PickButton == kRightButton) return c.PickColumn == 1 || c.PickColumn == n;
    return false;
}

int TurnDirection(const Click& c, int n) {
    if (c.PickButton == kLeftButton) return c.PickRow == 1 ? 1 : 2;
    return c.PickColumn == n ? 1 : 2;
}

Cube::Cube(int size) : size_(size) {
    if (!IsValidCubeSize(size)) {
        throw std::out_of_range("cube size " + std::to_string(size) + " is outside 2..20");
    }
    copy_.fill(kNeverCopied);
}

void Cube::Resize(int size) {
    if (!IsValidCubeSize(size)) {
        throw std::out_of_range("cube size " + std::to_string(size) + " is outside 2..20");
    }
    size_ = size;
}

bool Cube::IsSolved() const {
    for (const int f : {1, 2, 3, 4, 5, 6}) {
        const Colour first = Sticker(1, 1, f);
        for (int y = 1; y <= size_; ++y) {
            const Colour* row = &stickers_[Index(1, y, f)];
            for (int x = 0; x < size_; ++x) {
                if (row[x] != first) return false;
            }
        }
    }
    return true;
}

void Cube::FillFace(int f, Colour c) {
    for (int y = 1; y <= size_; ++y) std::fill_n(&stickers_[Index(1, y, f)], size_, c);
}

void Cube::Snapshot() {
    // A fast path, kept for speed alone: at the largest size the used cells
    // are the whole array, and one copy of it is twice as fast as a copy per
    // row. No test can tell the two apart; BM_TurnSlice/20 and
    // BM_SolverPlayback/20 can.
    if (size_ == kStride) {
        copy_ = stickers_;
        return;
    }
    for (int f = 1; f <= 6; ++f) {
        for (int y = 1; y <= size_; ++y) {
            std::memcpy(&copy_[Index(1, y, f)], &stickers_[Index(1, y, f)], size_);
        }
    }
}

void Cube::MoveLines(View view, int button, int direction, int firstLine, int lastLine) {
    // Walk the ring from the front face: each step copies the line of the
    // face just left onto the next face, seen in that face's own turn. The
    // ring always closes after four faces. The size is read once: a sticker
    // is a char, which may alias any member, so a loop bound of size_ would
    // be read again after every sticker written.
    const int n = size_;
    View source = view;
    for (int step = 0; step < 4; ++step) {
        const View dest = RingStep(source.FrontTurn, button, source.FrontFace, direction);
        const Colour* from = &copy_[Index(1, 1, source.FrontFace)];
        Colour* to = &stickers_[Index(1, 1, dest.FrontFace)];
        for (int m = firstLine; m <= lastLine; ++m) {
            const LineWalk src = LineOf(source.FrontTurn, button, m, n);
            const LineWalk dst = LineOf(dest.FrontTurn, button, m, n);
            const Colour* in = from + src.start;
            Colour* out = to + dst.start;
            for (int k = 0; k < n; ++k, in += src.step, out += dst.step) *out = *in;
        }
        source = dest;
    }
}

void Cube::TurnOuterFace(View view, int button, int direction, int line) {
    const int n = size_;
    const int edge = line == 1 ? 0 : 1;
    const int s = tables::kSideFace[view.FrontTurn - 1][button - 1][view.FrontFace - 1][edge];
    // Pushing line 1 the first way, or line N the second way, turns the side
    // face anticlockwise in its own grid; the other two turn it clockwise.
    const bool anticlockwise = (direction == 1) == (line == 1);
    // Row y of the turned face is a column of the old one, walked up or down.
    const Colour* from = &copy_[Index(1, 1, s)];
    for (int y = 1; y <= n; ++y) {
        Colour* out = &stickers_[Index(1, y, s)];
        const Colour* in = anticlockwise ? from + (n - y) : from + (y - 1) + (n - 1) * kStride;
        const int step = anticlockwise ? kStride : -kStride;
        for (int x = 0; x < n; ++x, in += step) out[x] = *in;
    }
}

void Cube::TurnSlice(View view, Click click) {
    const int direction = TurnDirection(click, size_);
    const int line = click.PickButton == kLeftButton ? click.PickColumn : click.PickRow;
    Snapshot();
    MoveLines(view, click.PickButton, direction, line, line);
    if (line == 1 || line == size_) TurnOuterFace(view, click.PickButton, direction, line);
}

void Cube::TurnAllSlices(View view, int button, int direction) {
    Snapshot();
    MoveLines(view, button, direction, 1, size_);
    TurnOuterFace(view, button, direction, 1);
    TurnOuterFace(view, button, direction, size_);
}

bool operator==(const Cube& a, const Cube& b) {
    if (a.size_ != b.size_) return false;
    for (int f = 1; f <= 6; ++f) {
        for (int y = 1; y <= a.size_; ++y) {
            const int i = Cube::Index(1, y, f);
            if (!std::equal(&a.stickers_[i], &a.stickers_[i] + a.size_, &b.stickers_[i])) {
                return false;
            }
        }
    }
    return true;
}

bool IsValidColourSet(std::span<const int, 6> faceColours) {
    for (int i = 0; i < 6; ++i) {
        if (!IsFaceColour(faceColours[i])) return false;
        for (int j = 0; j < i; ++j) {
            if (faceColours[j] == faceColours[i]) return false;
        }
    }
    return true;
}

bool DealColours(Cube& cube, std::span<const int, 6> faceColours, Random& rnd) {
    if (!IsValidColourSet(faceColours)) return false;
    int taken[6] = {-2, -2, -2, -2, -2, -2};
    for (int f = 1; f <= 6; ++f) {
        int colour = 0;
        do {
            colour = faceColours[rnd.Draw(6) - 1];
        } while (std::find(std::begin(taken), std::end(taken), colour) != std::end(taken));
        taken[f - 1] = colour;
        cube.FillFace(f, static_cast<Colour>(colour));
    }
    return true;
}

}  // namespace twistor
