// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>

namespace twistor {

// The game's one source of randomness. A draw of 1..k scales a uniform value
// in [0, 1) by k and drops the fraction; draws are taken in the order the
// game's rules ask for them, so a seed replays a whole session.
// A new generator always starts from the same state, so the first cube of a
// session is dealt the same way every time; the game re-seeds it from the
// clock whenever it lays out a cube.
class Random {
  public:
    static constexpr std::uint64_t kInitialState = 0x7A1577C0BEULL;

    Random() = default;
    explicit Random(std::uint64_t seed) { Seed(seed); }

    void Seed(std::uint64_t seed) { state_ = seed; }

    // Values that the next draws return before the generator goes on; each
    // in [0, 1). Lets a test or a replay pin down a particular choice.
    void Script(std::initializer_list<double> values) { scripted_.insert(scripted_.end(), values); }

    // Uniform in [0, 1), 53 bits.
    double Next();

    // A whole number 1..k, each equally likely.
    int Draw(int k) { return static_cast<int>(Next() * k) + 1; }

  private:
    std::uint64_t state_ = kInitialState;
    std::deque<double> scripted_;
};

}  // namespace twistor
