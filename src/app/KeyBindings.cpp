#include "app/KeyBindings.h"

#include <sstream>

namespace twistor {

namespace {

constexpr Qt::KeyboardModifiers kPlain = Qt::NoModifier;

constexpr KeyBinding kBindings[] = {
    {Qt::Key_Left, kPlain, KeyAction::TurnCubeLeft, "Left",
     "turn the whole cube: the face beyond that edge comes to the front"},
    {Qt::Key_Up, kPlain, KeyAction::TurnCubeUp, "Up", ""},
    {Qt::Key_Right, kPlain, KeyAction::TurnCubeRight, "Right", ""},
    {Qt::Key_Down, kPlain, KeyAction::TurnCubeDown, "Down", ""},
    {Qt::Key_T, kPlain, KeyAction::SpinClockwise, "t", "spin the picture a quarter turn clockwise"},
    {Qt::Key_R, kPlain, KeyAction::SpinAnticlockwise, "r",
     "spin the picture a quarter turn anticlockwise"},
    {Qt::Key_B, kPlain, KeyAction::ComputerMove, "b",
     "let the computer make one move (not in game mode)"},
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

std::string KeysHelp() {
    std::ostringstream out;
    const std::span<const KeyBinding> all = KeyBindings();
    for (std::size_t i = 0; i < all.size();) {
        std::string keys(all[i].name);
        const std::string_view words = all[i].words;
        for (++i; i < all.size() && all[i].words.empty(); ++i)
            keys += ", " + std::string(all[i].name);
        out << "  " << keys;
        if (2 + keys.size() + 1 > kWordsColumn)
            out << "\n" << std::string(kWordsColumn, ' ');
        else
            out << std::string(kWordsColumn - 2 - keys.size(), ' ');
        WrapWords(out, words);
    }
    return out.str();
}

}  // namespace twistor
