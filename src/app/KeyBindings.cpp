// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/KeyBindings.h"

#include <sstream>

namespace twistor {

namespace {

constexpr Qt::KeyboardModifiers kPlain = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;

using A = KeyAction;

constexpr KeyBinding kBindings[] = {
    {Qt::Key_Left, kPlain, A::TurnCubeLeft, "Left",
     "turn the whole cube: the face beyond that edge comes to the front"},
    {Qt::Key_Up, kPlain, A::TurnCubeUp, "Up", ""},
    {Qt::Key_Right, kPlain, A::TurnCubeRight, "Right", ""},
    {Qt::Key_Down, kPlain, A::TurnCubeDown, "Down", ""},
    {Qt::Key_T, kPlain, A::SpinClockwise, "t", "spin the picture a quarter turn clockwise"},
    {Qt::Key_R, kPlain, A::SpinAnticlockwise, "r", "spin the picture a quarter turn anticlockwise"},
    {Qt::Key_B, kPlain, A::ComputerMove, "b", "let the computer make one move (not in game mode)"},
    {Qt::Key_Left, kShift, A::MoveCursorLeft, "Shift+Left",
     "move the square cursor on the front face; the first press shows it in the middle"},
    {Qt::Key_Up, kShift, A::MoveCursorUp, "Shift+Up", ""},
    {Qt::Key_Right, kShift, A::MoveCursorRight, "Shift+Right", ""},
    {Qt::Key_Down, kShift, A::MoveCursorDown, "Shift+Down", ""},
    {Qt::Key_Up, kCtrl, A::TurnColumnUp, "Ctrl+Up",
     "turn the cursor's column up or down, as a left click on its top or bottom square does"},
    {Qt::Key_Down, kCtrl, A::TurnColumnDown, "Ctrl+Down", ""},
    {Qt::Key_Left, kCtrl, A::TurnRowLeft, "Ctrl+Left",
     "turn the cursor's row left or right, as a right click on its left or right square does"},
    {Qt::Key_Right, kCtrl, A::TurnRowRight, "Ctrl+Right", ""},
    {Qt::Key_F10, kPlain, A::OpenMenus, "F10", "open the Options menu"},
    {Qt::Key_O, kAlt, A::MenuLetter, "Alt+O",
     "open the Options or the Instructions menu; in a menu, the underlined letter chooses"},
    {Qt::Key_I, kAlt, A::MenuLetter, "Alt+I", ""},
    {Qt::Key_N, kCtrl, A::MenuItem, "Ctrl+N", "New puzzle (New game in game mode)", "newpuzzle"},
    {Qt::Key_O, kCtrl, A::MenuItem, "Ctrl+O", "Load puzzle", "loadpuzzle"},
    {Qt::Key_S, kCtrl, A::MenuItem, "Ctrl+S", "Save puzzle", "savepuzzle"},
    {Qt::Key_Q, kCtrl, A::MenuItem, "Ctrl+Q", "Quit", "quit"},
    {Qt::Key_Return, kPlain, A::PanelDone, "Return",
     "in a panel: press the focused button, or \"Done\"; under a solved game cube: press the "
     "focused button"},
    {Qt::Key_Enter, kPlain, A::PanelDone, "Enter", ""},
    {Qt::Key_Escape, kPlain, A::PanelCancel, "Escape",
     "in a panel: press \"Cancel\", or \"Done\" where there is none"},
    {Qt::Key_Tab, kPlain, A::PanelFocus, "Tab",
     "in a panel, or under a solved game cube: the next or the previous control"},
    {Qt::Key_Backtab, kShift, A::PanelFocus, "Shift+Tab", ""},
    {Qt::Key_Space, kPlain, A::PanelPress, "Space",
     "in a panel: press the focused button, or tick or untick the focused colour box"},
};

// The help's columns: two spaces, the keys, and the words from column 17.
constexpr std::size_t kWordsColumn = 17;
constexpr std::size_t kLineWidth = 79;

void WrapWords(std::ostringstream& out, std::string_view words) {
    std::size_t column = kWordsColumn;
    std::istringstream in{std::string(words)};
    bool first = true;
    for (std::string word; in >> word;) {
        if (!first && column + 1 + word.size() > kLineWidth) {
            out << "\n" << std::string(kWordsColumn, ' ');
            column = kWordsColumn;
            first = true;
        }
        if (!first) {
            out << ' ';
            ++column;
        }
        out << word;
        column += word.size();
        first = false;
    }
    out << "\n";
}

}  // namespace

std::span<const KeyBinding> KeyBindings() {
    return kBindings;
}

const KeyBinding* FindKeyBinding(int key, Qt::KeyboardModifiers modifiers) {
    modifiers &= ~Qt::KeypadModifier;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) modifiers &= ~Qt::ShiftModifier;
    for (const KeyBinding& b : kBindings) {
        if (b.key == key && b.modifiers == modifiers) return &b;
    }
    return nullptr;
}

const KeyBinding* FindKeyBinding(std::string_view name) {
    for (const KeyBinding& b : kBindings) {
        if (b.name == name) return &b;
    }
    return nullptr;
}

std::string KeysHelp() {
    std::ostringstream out;
    const std::span<const KeyBinding> all = KeyBindings();
    for (std::size_t i = 0; i < all.size();) {
        std::string keys(all[i].name);
        const std::string_view words = all[i].words;
        for (++i; i < all.size() && all[i].words.empty(); ++i)
            keys += ", " + std::string(all[i].name);
        out << "  " << keys;
        if (2 + keys.size() + 2 > kWordsColumn)
            out << "\n" << std::string(kWordsColumn, ' ');
        else
            out << std::string(kWordsColumn - 2 - keys.size(), ' ');
        WrapWords(out, words);
    }
    return out.str();
}

}  // namespace twistor
