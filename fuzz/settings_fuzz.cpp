// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a settings file: the reader must never fail, must always hand
// back settings the game can use, and what it hands back must save and read
// back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "storage/Settings.h"

using namespace twistor::storage;

namespace {

[[noreturn]] void Fault(const char* what) {
    std::fprintf(stderr, "settings_fuzz: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SettingsRead read = ParseSettings(text, "fuzz.settings");
    if (!CheckSettings(read.settings).empty()) Fault("the reader let unusable settings through");

    const std::string saved = FormatSettings(read.settings);
    const SettingsRead again = ParseSettings(saved, "fuzz.settings");
    if (!again.problems.empty()) Fault("a saved file has problems when read back");
    if (!(again.settings == read.settings)) Fault("settings changed on the way through a file");
    return 0;
}
