#pragma once

#include <QtCore/qnamespace.h>

#include <span>
#include <string>
#include <string_view>

namespace twistor {

// What a key asks the game to do.
enum class KeyAction {
    TurnCubeLeft,  // the whole cube, so that the face beyond that edge comes to the front
    TurnCubeUp,
    TurnCubeRight,
    TurnCubeDown,
    SpinClockwise,  // the picture, a quarter turn about the front face
    SpinAnticlockwise,
    ComputerMove,  // one move of the computer's solving
};

// One key of the game: the key handler dispatches from these, and --help
// and the documentation list them.
struct KeyBinding {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;  // exactly these; Shift does not change a letter
    KeyAction action;
    std::string_view name;   // the key as the help writes it
    std::string_view words;  // what it does; empty: the same as the key before
};

// Every key the cube answers, in the order the help lists them.
std::span<const KeyBinding> KeyBindings();

// The binding of a key press, or null for a key the game does not use.
const KeyBinding* FindKeyBinding(int key, Qt::KeyboardModifiers modifiers);

// The keys as --help lists them: one line for each group of keys that do
// the same, the words wrapped to 79 columns.
std::string KeysHelp();

}  // namespace twistor
