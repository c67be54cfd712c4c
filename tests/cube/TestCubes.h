// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "cube/Cube.h"
#include "cube/View.h"

namespace twistor::testing {

// A permutation of the cube's used cells, as the position each cell's
// sticker comes from, numbered (f - 1) * N * N + (y - 1) * N + (x - 1).
using Permutation = std::vector<int>;

inline int CellNumber(int x, int y, int f, int n) {
    return ((f - 1) * n + (y - 1)) * n + (x - 1);
}

// Calls f(x, y, face) for every cell of an N-cube.
template <typename F>
void ForEachCell(int n, F f) {
    for (int face = 1; face <= 6; ++face) {
        for (int y = 1; y <= n; ++y) {
            for (int x = 1; x <= n; ++x) f(x, y, face);
        }
    }
}

// A cube whose every sticker is the base-64 digit at `place` of its cell's
// number: up to size 3 no two alike, so any turn of any part shows.
inline Cube LabelledCube(int n, int place = 1) {
    Cube c(n);
    ForEachCell(n, [&](int x, int y, int f) {
        c.SetSticker(x, y, f, static_cast<Colour>(CellNumber(x, y, f, n) / place % 64));
    });
    return c;
}

// What an operation on the cube does to its stickers, found by running it
// on two cubes whose stickers spell out each cell's number in base 64.
template <typename Operation>
Permutation PermutationOf(int n, Operation op) {
    Cube low = LabelledCube(n), high = LabelledCube(n, 64);
    op(low);
    op(high);
    Permutation p(6 * n * n);
    ForEachCell(n, [&](int x, int y, int f) {
        p[CellNumber(x, y, f, n)] = low.Sticker(x, y, f) + 64 * high.Sticker(x, y, f);
    });
    return p;
}

inline Permutation Compose(const Permutation& first, const Permutation& then) {
    Permutation r(first.size());
    for (std::size_t i = 0; i < r.size(); ++i) r[i] = first[then[i]];
    return r;
}

inline bool IsIdentity(const Permutation& p) {
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] != static_cast<int>(i)) return false;
    }
    return true;
}

// Every view, for loops over the 24.
inline std::vector<View> AllViews() {
    std::vector<View> v;
    for (int i = 0; i < 24; ++i) v.push_back(ViewFromIndex(i));
    return v;
}

// Every click on an edge line: left clicks on the top and bottom rows,
// right clicks on the left and right columns.
inline std::vector<Click> AllEdgeClicks(int n) {
    std::vector<Click> clicks;
    for (int k = 1; k <= n; ++k) {
        for (int edge : {1, n}) {
            clicks.push_back(Click{kLeftButton, k, edge});
            clicks.push_back(Click{kRightButton, edge, k});
        }
    }
    return clicks;
}

// The sticker shown in screen column i, row j of the front face.
inline Colour ShownOnFront(const Cube& cube, View v, int i, int j) {
    const int n = cube.CubeSize();
    switch (v.FrontTurn) {
        case 1:
            return cube.Sticker(i, j, v.FrontFace);
        case 2:
            return cube.Sticker(j, n - i + 1, v.FrontFace);
        case 3:
            return cube.Sticker(n - i + 1, n - j + 1, v.FrontFace);
        default:
            return cube.Sticker(n - j + 1, i, v.FrontFace);
    }
}

// A cube with every face in its own colour 1..6.
inline Cube PlainCube(int n) {
    Cube c(n);
    for (int f = 1; f <= 6; ++f) c.FillFace(f, static_cast<Colour>(f == 6 ? 8 : f));
    return c;
}

}  // namespace twistor::testing
