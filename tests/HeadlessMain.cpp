// SPDX-License-Identifier: GPL-3.0-or-later
// The main of every test program that needs Qt, and the one place that makes
// it headless and pixel-exact, whatever the shell that runs it has set: no X
// server, no scaling, and a private runtime folder of its own.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    setenv("QT_SCALE_FACTOR", "1", 1);
    // mkdtemp makes it mode 0700, as Qt wants.
    std::string runtime = (std::filesystem::temp_directory_path() / "twistor-tests.XXXXXX").string();
    if (mkdtemp(runtime.data()) == nullptr) return 1;
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    int result = 0;
    {
        QApplication app(argc, argv);
        testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    std::filesystem::remove_all(runtime);
    return result;
}
