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
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasNext = i + 1 < argc;
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
2 for a mistake on the command line.
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

std::string EnterFolder(const std::filesystem::path& folder) {
    if (folder.empty()) return {};
    std::filesystem::path sofar;
    for (const auto& part : folder) {
        sofar /= part;
        if (mkdir(sofar.c_str(), 0700) != 0 && errno != EEXIST) {
            return "cannot make the folder " + sofar.string() + ": " + std::strerror(errno);
        }
    }
    if (chdir(folder.c_str()) != 0) {
        return "cannot use the folder " + folder.string() + ": " + std::strerror(errno);
    }
    return {};
}

std::string EnterChosenFolder(const CommandLine& line) {
    std::string error;
    const std::filesystem::path folder = ChosenFolder(line, SystemEnvironment, error);
    return error.empty() ? EnterFolder(folder) : error;
}

}  // namespace twistor
