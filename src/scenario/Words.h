// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace twistor::scenario {

// A word of a script line that is not what its command needs.
struct BadWord {
    std::string why;
};

// The word as a whole number or as a decimal number; throws BadWord when it
// is anything else (trailing letters included).
long long WholeNumber(const std::string& word);
double Number(const std::string& word);

}  // namespace twistor::scenario
