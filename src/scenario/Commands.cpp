// SPDX-License-Identifier: GPL-3.0-or-later
// The script commands: each reads its words, acts on the window as a person
// would, and says whether the game may run before the next line is read.

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <algorithm>
#include <ostream>

#include "app/CubeWindow.h"
#include "app/DrawingArea.h"
#include "app/KeyBindings.h"
#include "scenario/Dump.h"
#include "scenario/ScenarioRunner.h"
#include "scenario/Words.h"

namespace twistor {

namespace {

void PostClick(QWidget* target, QPointF pos, Qt::MouseButton button) {
    const QPointF global = target->mapToGlobal(pos);
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, pos, global,
                                                        button, button, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonRelease, pos, global,
                                                        button, Qt::NoButton, Qt::NoModifier));
}

void PostKey(QWidget* target, int key, const QString& text = QString()) {
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
    QCoreApplication::postEvent(target,
                                new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
}

// A key by the name the help gives it ("Ctrl+Up", "Escape", "t"), or any
// other letter or digit.
QKeyCombination KeyCode(const std::string& name) {
    if (const KeyBinding* b = FindKeyBinding(name)) return QKeyCombination(b->modifiers, b->key);
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        return QKeyCombination(
            static_cast<Qt::Key>(std::toupper(static_cast<unsigned char>(name[0]))));
    }
    throw scenario::BadWord{"unknown key '" + name + "'"};
}

bool ItemAvailable(const QAction* action) {
    // A person can reach a menu item only through enabled menus.
    for (const QObject* o = action; o; o = o->parent()) {
        if (const auto* a = qobject_cast<const QAction*>(o); a && !a->isEnabled()) return false;
        if (const auto* m = qobject_cast<const QMenu*>(o); m && !m->menuAction()->isEnabled())
            return false;
    }
    return true;
}

// A control on the drawing area by its object name, of the kind a command
// needs.
template <class Widget>
Widget* Named(const CubeWindow& window, const std::string& name, const char* kind) {
    auto* w =
        window.area()->findChild<Widget*>(QString::fromStdString(name), Qt::FindDirectChildrenOnly);
    if (!w) throw scenario::BadWord{std::string("no ") + kind + " '" + name + "'"};
    return w;
}

}  // namespace

const ScenarioRunner::Command ScenarioRunner::kCommands[] = {
    {"dump", 1, 1, "dump", &ScenarioRunner::Dump},
    {"shot", 2, 2, "shot FILE.png", &ScenarioRunner::Shot},
    {"passes", 2, 2, "passes COUNT", &ScenarioRunner::Passes},
    {"click", 4, 4, "click X Y left|right", &ScenarioRunner::Click},
    {"key", 2, 2, "key KEY (as --help names it: Left, Ctrl+Up, Escape, t, ...)",
     &ScenarioRunner::Key},
    {"menu", 2, 2, "menu ITEM", &ScenarioRunner::Menu},
    {"press", 2, 2, "press CONTROL", &ScenarioRunner::Press},
    {"tick", 2, 2, "tick CHECKBOX", &ScenarioRunner::Press},
    {"type", 2, 0, "type TEXTBOX [TEXT]", &ScenarioRunner::Type},
    {"pick", 3, 0, "pick FILELIST ENTRY", &ScenarioRunner::Pick},
};

ScenarioRunner::Next ScenarioRunner::Execute(const Line& line) {
    const std::size_t count = line.words.size();
    for (const Command& c : kCommands) {
        if (line.words[0] != c.name) continue;
        if (count < c.minWords || (c.maxWords != 0 && count > c.maxWords)) {
            Fail(std::string("'") + c.name + "' is written: " + c.usage);
            return Next::ReadOn;
        }
        try {
            return (this->*c.run)(line);
        } catch (const scenario::BadWord& bad) {
            Fail(bad.why);
            return Next::ReadOn;
        }
    }
    Fail("unknown command '" + line.text + "'");
    return Next::ReadOn;
}

ScenarioRunner::Next ScenarioRunner::Dump(const Line&) {
    out_ << DumpState(window_);
    return Next::ReadOn;
}

ScenarioRunner::Next ScenarioRunner::Shot(const Line& line) {
    // The drawing area as a person sees it, with the controls shown on it.
    const std::string& file = line.words[1];
    const QImage picture = window_.area()->grab().toImage();
    if (!picture.save(QString::fromStdString(file), "PNG")) Note("could not write " + file);
    return Next::ReadOn;
}

ScenarioRunner::Next ScenarioRunner::Passes(const Line& line) {
    passesLeft_ = static_cast<long>(std::max(0LL, scenario::WholeNumber(line.words[1])));
    return Next::HandOver;
}

ScenarioRunner::Next ScenarioRunner::Click(const Line& line) {
    const auto& w = line.words;
    if (w[3] != "left" && w[3] != "right")
        throw scenario::BadWord{"no mouse button '" + w[3] + "'"};
    const QPointF pos(scenario::Number(w[1]), scenario::Number(w[2]));
    const Qt::MouseButton button = w[3] == "left" ? Qt::LeftButton : Qt::RightButton;
    QWidget* target = window_.area();
    // Whatever lies on top at that point gets the click, as for a person.
    if (QWidget* child = target->childAt(pos.toPoint())) {
        PostClick(child, child->mapFrom(target, pos), button);
    } else {
        PostClick(target, pos, button);
    }
    return Next::HandOver;
}

// The key goes where a player's would: to an open menu, a shortcut, or the
// control that has the keyboard.
ScenarioRunner::Next ScenarioRunner::Key(const Line& line) {
    const QKeyCombination key = KeyCode(line.words[1]);
    QTest::keyClick(window_.windowHandle(), key.key(), key.keyboardModifiers());
    return Next::HandOver;
}

ScenarioRunner::Next ScenarioRunner::Menu(const Line& line) {
    const std::string& name = line.words[1];
    QAction* item = window_.menuItem(QString::fromStdString(name));
    if (!item) throw scenario::BadWord{"no menu item '" + name + "'"};
    if (!ItemAvailable(item)) {
        Note("menu item " + name + " is not available");
        return Next::HandOver;
    }
    QMetaObject::invokeMethod(item, &QAction::trigger, Qt::QueuedConnection);
    return Next::HandOver;
}

// "press" a button or "tick" a check box: a left click at its middle, to
// whatever a person would hit there.
ScenarioRunner::Next ScenarioRunner::Press(const Line& line) {
    const std::string& name = line.words[1];
    QWidget* c = Named<QWidget>(window_, name, "control");
    if (c->isHidden() || !c->isEnabled()) {
        Note(name + " is hidden or disabled");
        return Next::HandOver;
    }
    QWidget* area = window_.area();
    const QPoint at = c->mapTo(area, c->rect().center());
    QWidget* target = area->childAt(at);
    if (!target) target = area;
    PostClick(target, target->mapFrom(area, at), Qt::LeftButton);
    return Next::HandOver;
}

ScenarioRunner::Next ScenarioRunner::Type(const Line& line) {
    const std::string& name = line.words[1];
    auto* box = Named<QLineEdit>(window_, name, "text box");
    if (box->isHidden()) {
        Note(name + " is hidden");
        return Next::HandOver;
    }
    box->setFocus();
    QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
    PostKey(box, Qt::Key_Delete);
    for (const QChar ch : QString::fromStdString(line.RestAfter(2))) PostKey(box, 0, QString(ch));
    return Next::HandOver;
}

ScenarioRunner::Next ScenarioRunner::Pick(const Line& line) {
    const std::string& name = line.words[1];
    auto* list = Named<QListWidget>(window_, name, "file list");
    const std::string entry = line.RestAfter(2);
    const auto items = list->findItems(QString::fromStdString(entry), Qt::MatchExactly);
    if (list->isHidden() || items.isEmpty()) {
        Note("no entry '" + entry + "' to pick in " + name);
        return Next::HandOver;
    }
    list->scrollToItem(items.front());
    PostClick(list->viewport(), QRectF(list->visualItemRect(items.front())).center(),
              Qt::LeftButton);
    return Next::HandOver;
}

}  // namespace twistor
