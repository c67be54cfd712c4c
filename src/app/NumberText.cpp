#include "app/NumberText.h"

#include <cmath>
#include <cstdio>

#include "storage/Settings.h"

namespace twistor {

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    double sign = 1;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-') sign = -1;
        ++i;
    }
    double value = 0;
    bool any = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        any = true;
    }
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            value += (text[i] - '0') * scale;
            scale /= 10;
            any = true;
        }
    }
    return any ? sign * value : 0;
}

int ScrambleCountFrom(std::string_view text) {
    const double v = std::floor(LeadingNumber(text));
    if (!(v > 0)) return 0;
    return v > storage::kMaxScrambleCount ? storage::kMaxScrambleCount : static_cast<int>(v);
}

std::string NumberText(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        return std::to_string(static_cast<long long>(value));
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    std::string s = buf;
    // Fractions read like ".5", as a number box shows them.
    if (s.rfind("0.", 0) == 0)
        s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0)
        s.erase(1, 1);
    return s;
}

}  // namespace twistor
