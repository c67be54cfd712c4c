// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/KeyBindings.h"

namespace twistor {
namespace {

namespace fs = std::filesystem;

CommandLine Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "twistor");
    return ParseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CommandLine, TakesTheGamesOptionsAndLeavesQtItsOwn) {
    using A = CommandLine::Action;
    EXPECT_EQ(Parse({}).action, A::Play);
    EXPECT_EQ(Parse({}).folder, CommandLine::Folder::StartFolder);
    EXPECT_EQ(Parse({"-platform", "xcb", "--help"}).action, A::Help);
    EXPECT_EQ(Parse({"-h"}).action, A::Help);
    EXPECT_EQ(Parse({"--version", "--bogus"}).action, A::Version);

    const CommandLine given = Parse({"-platform", "offscreen", "--folder", "my games", "-reverse",
                                     "--style=Fusion", "-display", ":3"});
    EXPECT_EQ(given.action, A::Play);
    EXPECT_EQ(given.folder, CommandLine::Folder::Given);
    EXPECT_EQ(given.folderName, "my games");
    EXPECT_EQ(given.qtArguments,
              (std::vector<std::string>{"twistor", "-platform", "offscreen", "-reverse",
                                        "--style=Fusion", "-display", ":3"}));
    EXPECT_EQ(Parse({"--folder=-odd"}).folderName, "-odd");
    EXPECT_EQ(Parse({"--xdg"}).folder, CommandLine::Folder::DataHome);
    EXPECT_EQ(Parse({"--xdg", "--"}).action, A::Play);

    // Each mistake is named, so the player can see what to mend.
    const std::map<std::vector<const char*>, std::string> mistakes = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"-x"}, "unknown option '-x'"},
        {{"stray"}, "unexpected argument 'stray'"},
        {{"--folder"}, "option --folder needs a folder name"},
        {{"--folder="}, "option --folder needs a folder name"},
        {{"-platform"}, "option -platform needs a value"},
        {{"--xdg", "--folder", "d"}, "choose one of --folder and --xdg, once"},
        {{"--", "--folder", "d"}, "unexpected argument '--folder'"},
        {{"--", "--"}, "unexpected argument '--'"},
    };
    for (const auto& [args, message] : mistakes) {
        const CommandLine line = Parse(args);
        EXPECT_EQ(line.action, A::Error) << message;
        EXPECT_EQ(line.error, message);
    }
}

TEST(CommandLine, WithoutADisplayOnlyAPlatformThatNeedsNoneOpensAWindow) {
    const std::pair<std::map<std::string, std::string>, std::vector<const char*>> fine[] = {
        {{{"DISPLAY", ":0"}}, {}},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, {}},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, {}},
        {{}, {"-platform", "vnc"}},
        {{}, {"-display", ":1"}},
    };
    for (const auto& [set, args] : fine) {
        const auto& variables = set;  // a lambda may not take a structured binding in clang 14
        const auto env = [&](const char* name) -> std::string {
            const auto found = variables.find(name);
            return found == variables.end() ? "" : found->second;
        };
        EXPECT_EQ(DisplayProblem(Parse(args), env), "") << args.size();
        EXPECT_EQ(DisplayProblem(Parse({"-platform", "xcb"}), env).empty(),
                  variables.contains("DISPLAY") || variables.contains("WAYLAND_DISPLAY"));
    }
}

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a shell command line in `folder`, its output and errors kept apart.
Outcome RunIn(const fs::path& folder, const std::string& command) {
    const fs::path errors =
        fs::temp_directory_path() / ("twistor-cli-test-errors-" + std::to_string(getpid()));
    const std::string line =
        "cd '" + folder.string() + "' && " + command + " 2>'" + errors.string() + "'";
    Outcome o;
    if (FILE* pipe = popen(line.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) o.out.append(buffer, n);
        const int status = pclose(pipe);
        o.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::ifstream in(errors);
    o.err.assign(std::istreambuf_iterator<char>(in), {});
    fs::remove(errors);
    return o;
}

// Every file and folder below `root`, relative to it.
std::set<std::string> Tree(const fs::path& root) {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        names.insert(fs::relative(e.path(), root).string());
    }
    return names;
}

class Folders : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("twistor-cli-test-" + std::to_string(::getpid()) + "-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "start");
    }
    void TearDown() override { fs::remove_all(root_); }

    // Saves the settings and a puzzle from the real window, started with `args`.
    Outcome SaveBoth(const std::string& env, const std::string& args) {
        const fs::path script = root_ / "script";
        std::ofstream(script) << "area 800 600\nstart\nmenu savesettings\n"
                                 "menu savepuzzle\ntype Text4 lake\npress Command10\n";
        return RunIn(root_ / "start", "env " + env +
                                          " QT_QPA_PLATFORM=offscreen '" TWISTOR_SCENARIO "' " +
                                          args + " <'" + script.string() + "'");
    }

    fs::path root_;
};

TEST_F(Folders, HelpAndVersionAnswerWithoutADisplay) {
    // With the X11 platform and no display, making a QApplication would fail.
    const std::string game =
        "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '" TWISTOR_GAME "'";
    const Outcome version = RunIn(root_, game + " --version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "twistor " TWISTOR_VERSION "\n");

    const Outcome help = RunIn(root_, game + " --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* part : {"Usage: twistor", "--folder DIR", "--xdg", "-platform",
                             "Keys:", "Files:", "twistorfz.settings", "NAME.cube"}) {
        EXPECT_NE(help.out.find(part), std::string::npos) << part;
    }

    const Outcome unknown = RunIn(root_, game + " --colour red");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err,
              "twistor: unknown option '--colour'\nTry 'twistor --help' for more information.\n");
    for (const char* answer : {" --help", " --version"}) {
        EXPECT_EQ(RunIn(root_, game + answer + " >/dev/full").status, 1) << answer;
    }

    // Without a display the game says so in one line, before making any folder.
    const Outcome noDisplay = RunIn(root_, game + " --folder made");
    EXPECT_EQ(noDisplay.status, 1);
    EXPECT_EQ(noDisplay.err,
              "twistor: cannot open a window: no display; set DISPLAY or WAYLAND_DISPLAY\n");
    // A folder that fails part-way leaves none of the levels it made.
    const Outcome tooLong =
        RunIn(root_, "QT_QPA_PLATFORM=offscreen '" TWISTOR_GAME "' --folder made/" +
                         std::string(300, 'x') + "/deeper");
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_NE(tooLong.err.find("File name too long"), std::string::npos) << tooLong.err;
    EXPECT_EQ(Tree(root_), std::set<std::string>{"start"});
}

// The keys are listed once, in the game's table, which the help is made
// from; the README and the manual page must not leave a key out.
TEST(Keys, EveryKeyIsInTheReadmeAndTheManualPage) {
    const auto read = [](const char* name) {
        std::ifstream in(fs::path(TWISTOR_SOURCE_DIR) / name);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string readme = read("README.md");
    std::set<std::string> manKeys;
    std::istringstream man(read("data/twistor.6.in"));
    for (std::string line; std::getline(man, line);) {
        if (line.rfind(".B ", 0) != 0) continue;
        std::istringstream keys(line.substr(3));
        for (std::string key; std::getline(keys, key, ',');)
            manKeys.insert(key.substr(key.find_first_not_of(' ')));
    }
    for (const KeyBinding& b : KeyBindings()) {
        const std::string name(b.name);
        EXPECT_NE(readme.find("`" + name + "`"), std::string::npos) << name << " in the README";
        EXPECT_TRUE(manKeys.count(name)) << name << " in the manual page";
        EXPECT_EQ(FindKeyBinding(b.key, b.modifiers), &b) << name;
    }
}

// Every source, script and CMake file says its licence in its first lines.
TEST(Licence, EveryFileNamesItsLicence) {
    int files = 0;
    for (const char* folder : {"src", "tests", "bench", "fuzz", "scripts", "data"}) {
        for (const auto& entry :
             fs::recursive_directory_iterator(fs::path(TWISTOR_SOURCE_DIR) / folder)) {
            const std::string name = entry.path().filename().string();
            if (!entry.is_regular_file() ||
                entry.path().string().find("/corpus/") != std::string::npos ||
                !(name.ends_with(".cpp") || name.ends_with(".h") || name.ends_with(".sh") ||
                  name == "CMakeLists.txt" || name.ends_with(".cmake") || name.ends_with(".in")))
                continue;
            std::ifstream in(entry.path());
            std::string head, line;
            for (int k = 0; k < 3 && std::getline(in, line); ++k) head += line + "\n";
            EXPECT_NE(head.find("SPDX-License-Identifier: "), std::string::npos) << entry.path();
            ++files;
        }
    }
    EXPECT_GT(files, 100);
}

TEST_F(Folders, XdgKeepsFilesInTheDataFolderNeverInHome) {
    fs::create_directories(root_ / "home");
    const std::string home = "HOME='" + (root_ / "home").string() + "'";
    Outcome o = SaveBoth("XDG_DATA_HOME=relative " + home, "--xdg");  // only a full path counts
    EXPECT_EQ(o.status, 0) << o.err;
    o = SaveBoth("XDG_DATA_HOME='" + (root_ / "data").string() + "' " + home, "--xdg");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(Tree(root_),
              (std::set<std::string>{
                  "script", "start", "home", "home/.local", "home/.local/share",
                  "home/.local/share/twistor", "home/.local/share/twistor/lake.cube",
                  "home/.local/share/twistor/twistorfz.settings", "data", "data/twistor",
                  "data/twistor/lake.cube", "data/twistor/twistorfz.settings"}));
    EXPECT_EQ(fs::status(root_ / "home/.local").permissions(), fs::perms::owner_all);

    // A folder that is a file: a clear refusal, nothing written.
    std::ofstream(root_ / "start" / "taken") << "x";
    o = SaveBoth(home, "--folder taken");
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("cannot use the folder taken: Not a directory"), std::string::npos)
        << o.err;
}

}  // namespace
}  // namespace twistor
