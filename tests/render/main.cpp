#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

// Text needs a QGuiApplication, and pixel-exact tests need it headless and
// unscaled, whatever the shell that runs them has set.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    setenv("QT_SCALE_FACTOR", "1", 1);
    // Qt wants a private runtime directory; mkdtemp makes it mode 0700.
    std::string runtime = (std::filesystem::temp_directory_path() / "render-tests.XXXXXX").string();
    const bool ownRuntime =
        getenv("XDG_RUNTIME_DIR") == nullptr && mkdtemp(runtime.data()) != nullptr;
    if (ownRuntime) setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    int result = 0;
    {
        QGuiApplication app(argc, argv);
        testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (ownRuntime) std::filesystem::remove_all(runtime);
    return result;
}
