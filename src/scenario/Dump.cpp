// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenario/Dump.h"

#include <QWidget>
#include <sstream>

#include "app/CubeWindow.h"
#include "app/DrawingArea.h"
#include "app/GameState.h"
#include "app/Widgets.h"

namespace twistor {

std::set<std::string> VisibleControls(const CubeWindow& window) {
    std::set<std::string> names;
    for (QWidget* w : window.area()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isHidden() && !w->objectName().isEmpty())
            names.insert(w->objectName().toStdString());
    }
    return names;
}

std::string DumpState(const CubeWindow& window) {
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
    o << "modes " << (s.modes.SolveMode == Solver::Computer ? 1 : 0) << " "
      << (s.modes.GameMode ? 1 : 0) << " " << (s.modes.StepMode ? 1 : 0) << "\n";
    o << "solved " << (s.cube.IsSolved() ? 1 : 0) << "\n";
    o << "caption " << window.windowTitle().toStdString() << "\n";
    o << "label4 " << window.controls().Label4->text().toStdString() << "\n";
    o << "label5 " << window.controls().Label5->text().toStdString() << "\n";
    o << "visible";
    for (const std::string& v : VisibleControls(window)) o << " " << v;
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
