// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "app/KeyBindings.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace twistor {
namespace {

// Qt's own options, which QApplication and its platform plugins read.
constexpr std::array<std::string_view, 15> kQtOptionsWithValue = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "name",          "title",   "icon"};
constexpr std::array<std::string_view, 6> kQtSwitches = {"reverse", "widgetcount", "nograb",
                                                         "dograb",  "sync",        "testability"};
constexpr std::array<std::string_view, 5> kQtOptionsWithEquals = {
    "style=", "stylesheet=", "qmljsdebugger=", "dialogs=", "fontengine="};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    for (std::string_view n : names) {
        if (n == name) return true;
    }
    return false;
}

template <std::size_t N>
bool StartsWithAny(const std::array<std::string_view, N>& prefixes, std::string_view name) {
    for (std::string_view p : prefixes) {
        if (name.substr(0, p.size()) == p) return true;
    }
    return false;
}

CommandLine Fail(std::string message) {
    CommandLine line;
    line.action = CommandLine::Action::Error;
    line.error = std::move(message);
    return line;
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    line.qtArguments.emplace_back(argc > 0 && argv[0] ? argv[0] : "twistor");
    bool folderSeen = false;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasNext = i + 1 < argc;
        if (arg == "--" && !optionsEnded) {
            optionsEnded = true;  // what follows is no option, whatever it looks like
            continue;
        }
        if (optionsEnded) return Fail("unexpected argument '" + std::string(arg) + "'");
        if (arg == "-h" || arg == "--help") {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (arg == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        }
        if (arg == "--folder" || arg.substr(0, 9) == "--folder=" || arg == "--xdg") {
            if (folderSeen) return Fail("choose one of --folder and --xdg, once");
            folderSeen = true;
            if (arg == "--xdg") {
                line.folder = CommandLine::Folder::DataHome;
                continue;
            }
            std::string_view name;
            if (arg == "--folder") {
                if (!hasNext) return Fail("option --folder needs a folder name");
                name = argv[++i];
            } else {
                name = arg.substr(9);
            }
            if (name.empty()) return Fail("option --folder needs a folder name");
            line.folder = CommandLine::Folder::Given;
            line.folderName = name;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            // Qt reads its options with one dash or two.
            const std::string_view name = arg.substr(arg.substr(0, 2) == "--" ? 2 : 1);
            if (Contains(kQtSwitches, name) || StartsWithAny(kQtOptionsWithEquals, name)) {
                line.qtArguments.emplace_back(arg);
                continue;
            }
            if (Contains(kQtOptionsWithValue, name)) {
                if (!hasNext) return Fail("option " + std::string(arg) + " needs a value");
                line.qtArguments.emplace_back(arg);
                line.qtArguments.emplace_back(argv[++i]);
                continue;
            }
            return Fail("unknown option '" + std::string(arg) + "'");
        }
        return Fail("unexpected argument '" + std::string(arg) + "'");
    }
    return line;
}

std::string HelpText() {
    return R"(Usage: twistor [OPTION]... [QT OPTION]...
Twistor Cube: a twisty cube puzzle of 2 to 20 layers, drawn in one window.

Options:
  --folder DIR   keep the settings and puzzle files in DIR, making it if needed
  --xdg          keep them in $XDG_DATA_HOME/twistor (~/.local/share/twistor
                 when XDG_DATA_HOME is not set), making it if needed; the menu
                 entry starts the game this way
  -h, --help     show this help and exit
  --version      show the version and exit
Without --folder or --xdg the game keeps its files in the folder it was
started in. Qt's own options work as in any Qt program, for example
-platform xcb, -display :1, -style Fusion or -reverse.

Mouse:
  left click     on a square in the top or bottom row of the front face:
                 turn its column across the edge clicked
  right click    on a square in the left or right column of the front face:
                 turn its row

Keys:
)" + KeysHelp() +
           R"(
The Options menu holds new puzzles, the size, the difficulty, the solving
modes, the colours and the files; the Instructions menu repeats the controls.

Files:
  twistorfz.settings  the colours, cube size, scramble count and rotation time,
                      written by "Save settings" and read at start
  NAME.cube           a puzzle saved by "Save puzzle", with its whole history

Exit status: 0 when the game ends normally, 1 when the folder cannot be used,
there is no display or this text cannot be written, 2 for a mistake on the
command line.
)";
}

std::string SystemEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::filesystem::path ChosenFolder(const CommandLine& line, const Environment& env,
                                   std::string& error) {
    switch (line.folder) {
        case CommandLine::Folder::StartFolder:
            return {};
        case CommandLine::Folder::Given:
            return line.folderName;
        case CommandLine::Folder::DataHome:
            break;
    }
    // A relative XDG_DATA_HOME or HOME is invalid and ignored.
    std::filesystem::path data = env("XDG_DATA_HOME");
    if (data.is_absolute()) return data / "twistor";
    std::filesystem::path home = env("HOME");
    if (!home.is_absolute()) {
        const passwd* user = getpwuid(getuid());
        home = user && user->pw_dir ? user->pw_dir : "";
    }
    if (!home.is_absolute()) {
        error = "no home folder for --xdg: set HOME or XDG_DATA_HOME";
        return {};
    }
    return home / ".local" / "share" / "twistor";
}

std::string DisplayProblem(const CommandLine& line, const Environment& env) {
    // Qt's other platforms (offscreen, vnc, eglfs and the rest) need no display.
    std::string platform = env("QT_QPA_PLATFORM");
    const std::vector<std::string>& args = line.qtArguments;
    for (std::size_t i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == "-platform" || args[i] == "--platform") platform = args[i + 1];
        if (args[i] == "-display" || args[i] == "--display") return {};
    }
    const bool needsDisplay =
        platform.empty() || platform.starts_with("xcb") || platform.starts_with("wayland");
    if (!needsDisplay || !env("DISPLAY").empty() || !env("WAYLAND_DISPLAY").empty()) return {};
    return "cannot open a window: no display; set DISPLAY or WAYLAND_DISPLAY";
}

namespace {

// The current folder by the name the shell gave it, where that still holds.
std::filesystem::path CurrentFolder() {
    char* here = get_current_dir_name();
    if (here == nullptr) return {};
    std::filesystem::path folder = here;
    std::free(here);
    return folder;
}

}  // namespace

std::string EnterFolder(const std::filesystem::path& folder) {
    if (folder.empty()) return {};
    // A folder that cannot be made whole or entered leaves nothing behind.
    std::vector<std::filesystem::path> made;
    const auto fail = [&made](const std::string& message) {
        for (auto level = made.rbegin(); level != made.rend(); ++level) rmdir(level->c_str());
        return message;
    };
    std::filesystem::path sofar;
    for (const auto& part : folder) {
        sofar /= part;
        if (mkdir(sofar.c_str(), 0700) == 0) {
            made.push_back(sofar);
        } else if (errno != EEXIST) {
            return fail("cannot make the folder " + sofar.string() + ": " + std::strerror(errno));
        }
    }
    std::filesystem::path full = (CurrentFolder() / folder).lexically_normal();
    if (chdir(folder.c_str()) != 0) {
        return fail("cannot use the folder " + folder.string() + ": " + std::strerror(errno));
    }
    // As a shell would: messages then name the folder as the player does.
    if (!full.has_filename()) full = full.parent_path();
    if (full.is_absolute()) setenv("PWD", full.c_str(), 1);
    return {};
}

std::string EnterChosenFolder(const CommandLine& line) {
    std::string error;
    const std::filesystem::path folder = ChosenFolder(line, SystemEnvironment, error);
    return error.empty() ? EnterFolder(folder) : error;
}

}  // namespace twistor
