// SPDX-License-Identifier: GPL-3.0-or-later
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
    ComputerMove,    // one move of the computer's solving
    MoveCursorLeft,  // the square cursor on the front face, one square
    MoveCursorUp,
    MoveCursorRight,
    MoveCursorDown,
    TurnColumnUp,  // the cursor's column or row, as a click on its edge square does
    TurnColumnDown,
    TurnRowLeft,
    TurnRowRight,
    OpenMenus,    // the first menu of the menu bar
    MenuItem,     // the shortcut of the menu item `item`
    MenuLetter,   // Alt and a menu's underlined letter: the menu bar opens that menu
    PanelDone,    // an open panel: the focused button, or "Done"
    PanelCancel,  // an open panel: "Cancel", or "Done" where there is none
    PanelFocus,   // an open panel: the next or previous control (Qt moves the focus)
    PanelPress,   // an open panel: the focused button or colour box (Qt presses it)
    Unbound,      // a key the game does not use
};

// One key of the game: the key handler dispatches from these, and --help
// and the documentation list them.
struct KeyBinding {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;  // exactly these; Shift does not change a letter
    KeyAction action;
    std::string_view name;       // the key as the help writes it
    std::string_view words;      // what it does; empty: the same as the key before
    std::string_view item = {};  // with MenuItem: the menu item's object name
};

// Every key the game answers, in the order the help lists them.
std::span<const KeyBinding> KeyBindings();

// The binding of a key press, or null for a key the game does not use.
const KeyBinding* FindKeyBinding(int key, Qt::KeyboardModifiers modifiers);
inline KeyAction ActionOf(const KeyBinding* binding) {
    return binding ? binding->action : KeyAction::Unbound;
}

// The binding the help writes as `name` ("Ctrl+Up", "t"), or null.
const KeyBinding* FindKeyBinding(std::string_view name);

// The keys as --help lists them: one line for each group of keys that do
// the same, the words wrapped to 79 columns.
std::string KeysHelp();

}  // namespace twistor
