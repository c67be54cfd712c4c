// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace twistor {

// What the command line asks for. The game's own options are taken out; Qt's
// options (-platform, -display, -style and the rest) are kept, in order, for
// QApplication.
struct CommandLine {
    enum class Action { Play, Help, Version, Error };
    enum class Folder { StartFolder, Given, DataHome };

    Action action = Action::Play;
    Folder folder = Folder::StartFolder;
    std::string folderName;                // with Folder::Given
    std::string error;                     // with Action::Error: what was wrong
    std::vector<std::string> qtArguments;  // the program name first
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// --help: the usage, the options, the controls and the files.
std::string HelpText();

// Looks up an environment variable; empty when unset.
using Environment = std::function<std::string(const char*)>;
std::string SystemEnvironment(const char* name);

// The folder the game keeps its files in, or empty for the start folder.
// Fails (empty path, `error` set) when --xdg finds no home folder.
std::filesystem::path ChosenFolder(const CommandLine& line, const Environment& env,
                                   std::string& error);

// Why the game cannot open a window, or empty: without a display Qt would
// abort. Checked before anything is made.
std::string DisplayProblem(const CommandLine& line, const Environment& env);

// Makes `folder` (and any missing parent, private to the player) and makes it
// the current folder, where every file of the game is read and written.
// Returns an empty string or what went wrong; what it made for a folder that
// fails is removed again.
std::string EnterFolder(const std::filesystem::path& folder);

// Both of the above, with the process's environment.
std::string EnterChosenFolder(const CommandLine& line);

}  // namespace twistor
