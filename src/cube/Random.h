#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>

namespace twistor {

// The game's one source of randomness. Every draw is written Int(rnd * k) + 1
// with rnd uniform in [0, 1), taken in the order the rules ask for it.
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
    std::uint64_t State() const { return state_; }

    // Uniform in [0, 1), 53 bits.
    double Next();

    // Int(rnd * k) + 1: a whole number 1..k.
    int Draw(int k) { return static_cast<int>(Next() * k) + 1; }

  private:
    std::uint64_t state_ = kInitialState;
    std::deque<double> scripted_;
};

}  // namespace twistor
