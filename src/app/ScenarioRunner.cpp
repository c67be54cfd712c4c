#include "app/ScenarioRunner.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

#include "app/CubeWindow.h"
#include "app/DrawingArea.h"

namespace twistor {

namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream s(line);
    std::vector<std::string> w;
    for (std::string word; s >> word;) w.push_back(word);
    return w;
}

// The rest of a line after its first `count` words.
std::string RestAfter(const std::string& line, int count) {
    std::size_t i = 0;
    for (int k = 0; k < count; ++k) {
        i = line.find_first_not_of(' ', i);
        i = line.find(' ', i);
        if (i == std::string::npos) return "";
    }
    return line.substr(i + 1);
}

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

int KeyCode(const std::string& name) {
    if (name == "Left") return Qt::Key_Left;
    if (name == "Up") return Qt::Key_Up;
    if (name == "Right") return Qt::Key_Right;
    if (name == "Down") return Qt::Key_Down;
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        return std::toupper(static_cast<unsigned char>(name[0]));
    }
    return 0;
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

}  // namespace

ScenarioRunner::ScenarioRunner(CubeWindow& window, std::istream& in, std::ostream& out,
                               std::ostream& err)
    : window_(window), in_(in), out_(out), err_(err) {}

int ScenarioRunner::Run() {
    int width = 792;
    int height = 540;
    bool seeded = false;
    bool maximized = false;
    for (std::string line; std::getline(in_, line);) {
        ++lineNumber_;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto w = Words(line);
        if (w.empty() || w[0][0] == '#') continue;
        if (w[0] == "seed" && w.size() == 2) {
            seed_ = std::stoull(w[1]);
            seeded = true;
        } else if (w[0] == "area" && w.size() == 2 && w[1] == "maximized") {
            maximized = true;
        } else if (w[0] == "area" && w.size() == 3) {
            width = std::stoi(w[1]);
            height = std::stoi(w[2]);
        } else if (w[0] == "start" && w.size() == 1) {
            if (!maximized) window_.SetFixedArea(width, height);
            if (seeded) {
                window_.state().rnd.Seed(seed_);
                window_.SetClockSeed([this] { return seed_ * 0x9E3779B97F4A7C15ULL + ++reseeds_; });
            }
            window_.SetEventPump(this);
            window_.show();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            return window_.Form_Activate();
        } else {
            Fail("line " + std::to_string(lineNumber_) + ": '" + line +
                 "' is not a command before start");
            return 2;
        }
    }
    return 0;  // nothing to run
}

void ScenarioRunner::Fail(const std::string& message) {
    err_ << "twistor-scenario: " << message << std::endl;
    window_.RequestQuit(2);
}

void ScenarioRunner::PassStarted() {
    if (passesLeft_ > 0) --passesLeft_;
}

void ScenarioRunner::Pump(Wait wait) {
    if (wait == Wait::Idle || passesLeft_ == 0) {
        // The loop waits: finish what is pending, then take the next command.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (window_.QuitRequested()) return;
        // A pass budget that the loop could not spend yet (it was waiting for
        // the player) holds for the input that comes next.
        if (passesLeft_ == 0) passesLeft_ = -1;
        ReadCommands();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    } else {
        QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents;
        if (wait == Wait::Timer) flags |= QEventLoop::WaitForMoreEvents;
        QCoreApplication::processEvents(flags);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ScenarioRunner::ReadCommands() {
    for (std::string line; std::getline(in_, line);) {
        ++lineNumber_;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const bool handedOver = Execute(line);
        out_.flush();
        if (window_.QuitRequested() || handedOver) return;
    }
    // The end of the script ends the game as "Quit" does.
    window_.RequestQuit(0);
}

bool ScenarioRunner::Execute(const std::string& line) {
    const auto w = Words(line);
    if (w.empty() || w[0][0] == '#') return false;
    const std::string& cmd = w[0];
    auto named = [&](std::size_t words) -> QWidget* {
        if (w.size() < words) return nullptr;
        return window_.control(QString::fromStdString(w[1]));
    };
    auto note = [&](const std::string& why) {
        err_ << "line " << lineNumber_ << ": " << why << std::endl;
    };

    if (cmd == "dump" && w.size() == 1) {
        out_ << Dump(window_);
        return false;
    }
    if (cmd == "shot" && w.size() == 2) {
        // The drawing area as a person sees it, with the controls shown on it.
        const QImage picture = window_.area()->grab().toImage();
        if (!picture.save(QString::fromStdString(w[1]), "PNG")) note("could not write " + w[1]);
        return false;
    }
    if (cmd == "passes" && w.size() == 2) {
        passesLeft_ = std::max(0L, std::stol(w[1]));
        return true;
    }
    if (cmd == "click" && w.size() == 4 && (w[3] == "left" || w[3] == "right")) {
        const QPointF pos(std::stod(w[1]), std::stod(w[2]));
        const Qt::MouseButton button = w[3] == "left" ? Qt::LeftButton : Qt::RightButton;
        QWidget* target = window_.area();
        // Whatever lies on top at that point gets the click, as for a person.
        if (QWidget* child = target->childAt(pos.toPoint())) {
            PostClick(child, child->mapFrom(target, pos), button);
        } else {
            PostClick(target, pos, button);
        }
        return true;
    }
    if (cmd == "key" && w.size() == 2) {
        const int code = KeyCode(w[1]);
        if (code == 0) {
            Fail("line " + std::to_string(lineNumber_) + ": unknown key '" + w[1] + "'");
            return false;
        }
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != &window_) target = window_.area();
        const QString text = w[1].size() == 1 ? QString::fromStdString(w[1]) : QString();
        PostKey(target, code, text);
        return true;
    }
    if (cmd == "menu" && w.size() == 2) {
        QAction* item = window_.menuItem(QString::fromStdString(w[1]));
        if (!item) {
            Fail("line " + std::to_string(lineNumber_) + ": no menu item '" + w[1] + "'");
            return false;
        }
        if (!ItemAvailable(item)) {
            note("menu item " + w[1] + " is not available");
            return true;
        }
        QMetaObject::invokeMethod(item, &QAction::trigger, Qt::QueuedConnection);
        return true;
    }
    if ((cmd == "press" || cmd == "tick") && w.size() == 2) {
        QWidget* c = named(2);
        if (!c) {
            Fail("line " + std::to_string(lineNumber_) + ": no control '" + w[1] + "'");
            return false;
        }
        if (c->isHidden() || !c->isEnabled()) {
            note(w[1] + " is hidden or disabled");
            return true;
        }
        // At the control's middle, to whatever a person would hit there.
        QWidget* area = window_.area();
        const QPoint at = c->mapTo(area, c->rect().center());
        QWidget* target = area->childAt(at);
        if (!target) target = area;
        PostClick(target, target->mapFrom(area, at), Qt::LeftButton);
        return true;
    }
    if (cmd == "type" && w.size() >= 2) {
        auto* box = qobject_cast<QLineEdit*>(named(2));
        if (!box) {
            Fail("line " + std::to_string(lineNumber_) + ": no text box '" + w[1] + "'");
            return false;
        }
        if (box->isHidden()) {
            note(w[1] + " is hidden");
            return true;
        }
        box->setFocus();
        QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
        PostKey(box, Qt::Key_Delete);
        for (const QChar ch : QString::fromStdString(RestAfter(line, 2)))
            PostKey(box, 0, QString(ch));
        return true;
    }
    if (cmd == "pick" && w.size() >= 3) {
        auto* list = qobject_cast<QListWidget*>(named(3));
        if (!list) {
            Fail("line " + std::to_string(lineNumber_) + ": no file list '" + w[1] + "'");
            return false;
        }
        const auto items =
            list->findItems(QString::fromStdString(RestAfter(line, 2)), Qt::MatchExactly);
        if (list->isHidden() || items.isEmpty()) {
            note("no entry '" + RestAfter(line, 2) + "' to pick in " + w[1]);
            return true;
        }
        list->scrollToItem(items.front());
        PostClick(list->viewport(), QRectF(list->visualItemRect(items.front())).center(),
                  Qt::LeftButton);
        return true;
    }
    Fail("line " + std::to_string(lineNumber_) + ": unknown command '" + line + "'");
    return false;
}

std::string ScenarioRunner::Dump(const CubeWindow& window) {
    const GameState& s = window.state();
    const int n = s.cube.CubeSize();
    std::ostringstream o;
    o << "size " << n << "\n";
    o << "view " << s.view.FrontFace << " " << s.view.FrontTurn << "\n";
    o << "moves " << s.history.MoveCount() << "\n";
    o << "history";
    for (const Move& m : s.history.Entries())
        o << " " << m.axis << "," << m.first << "," << m.second;
    o << "\n";
    o << "modes " << s.modes.SolveMode << " " << s.modes.GameMode << " " << s.modes.StepMode
      << "\n";
    o << "solved " << (s.cube.IsSolved() ? 1 : 0) << "\n";
    o << "caption " << window.windowTitle().toStdString() << "\n";
    o << "label4 " << static_cast<QLabel*>(window.control("Label4"))->text().toStdString() << "\n";
    o << "label5 " << static_cast<QLabel*>(window.control("Label5"))->text().toStdString() << "\n";
    std::vector<std::string> visible;
    for (QWidget* w : window.area()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isHidden() && !w->objectName().isEmpty())
            visible.push_back(w->objectName().toStdString());
    }
    std::sort(visible.begin(), visible.end());
    o << "visible";
    for (const std::string& v : visible) o << " " << v;
    o << "\n";
    for (int f = 1; f <= 6; ++f) {
        o << "face " << f;
        for (int y = 1; y <= n; ++y) {
            o << (y == 1 ? " " : " / ");
            for (int x = 1; x <= n; ++x)
                o << (x == 1 ? "" : " ") << static_cast<int>(s.cube.Sticker(x, y, f));
        }
        o << "\n";
    }
    return o.str();
}

}  // namespace twistor
