// SPDX-License-Identifier: GPL-3.0-or-later
// The option panels: difficulty, rotation time and colours, and the steps
// every panel shares when it opens and closes.

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "app/CubeWindow.h"
#include "app/DrawingArea.h"
#include "app/GameState.h"
#include "app/NumberText.h"
#include "app/Widgets.h"

namespace twistor {

void CubeWindow::OpenPanelSteps(Panel panel) {
    HideCursor();
    s_.panels.Shown = panel;
    ShowGameControls();
    // Tab goes round the panel's own controls, not through the cube.
    area_->setFocusPolicy(Qt::NoFocus);
    SetOptionMenusEnabled(false);
    SetLoadSaveEnabled(false);
    ClearPanel();
}

void CubeWindow::ClosePanelSteps() {
    s_.panels.Shown = Panel::None;
    area_->setFocusPolicy(Qt::StrongFocus);
    ShowGameControls();
    SetOptionMenusEnabled(true);
    s_.panels.TakesInput = false;
    if (!s_.modes.GameMode) {
        DrawPanel();
        SetLoadSaveEnabled(true);
    }
    area_->setFocus();
}

// ---------------------------------------------------------------------------
// The difficulty panel

void CubeWindow::OpenDifficultyPanel() {
    OpenPanelSteps(Panel::Difficulty);
    SetVisible(c_.DifficultyPanel(), true);
    s_.panels.TakesInput = true;
    c_.Text1->setFocus();
}

void CubeWindow::FinishDifficultyPanel() {
    // The box keeps the count as a plain number, never negative.
    const double count = LeadingNumber(c_.Text1->text().toStdString());
    c_.Text1->setText(QString::fromStdString(NumberText(std::max(0.0, count))));
    SetVisible(c_.DifficultyPanel(), false);
    ClosePanelSteps();
}

void CubeWindow::HandKeysBackToCube() {
    area_->setFocus();
}

// ---------------------------------------------------------------------------
// The rotation-time panel

void CubeWindow::OpenTurnTimePanel() {
    OpenPanelSteps(Panel::TurnTime);
    SetVisible(c_.TurnTimePanel(), true);
    c_.Text2->ShowNumber(QString::fromStdString(NumberText(s_.modes.MinTurnTime)));
    s_.panels.TakesInput = true;
    c_.Text2->setFocus();
}

void CubeWindow::FinishTurnTimePanel() {
    s_.modes.MinTurnTime = LeadingNumber(c_.Text2->text().toStdString());
    SetVisible(c_.TurnTimePanel(), false);
    ClosePanelSteps();
}

// ---------------------------------------------------------------------------
// The colour panel

void CubeWindow::OpenColourPanel() {
    OpenPanelSteps(Panel::Colours);
    for (int colour : s_.options.FaceColor) {
        if (ColourBox* box = c_.BoxOf(colour)) box->setChecked(true);
    }
    s_.options.ColorPanelShown = true;
    SetVisible(c_.ColourPanelWords(), true);
    for (const ColourChoice& c : c_.colourBoxes) c.box->show();
    s_.options.ColorsChecked = 6;
    s_.panels.TakesInput = true;
    // The keyboard starts on the first colour of the set: with six ticked,
    // the others cannot be ticked.
    for (ColourBox* box : c_.ColourBoxesInGridOrder()) {
        if (box->isChecked()) {
            box->setFocus();
            break;
        }
    }
}

void CubeWindow::CountColourBox(ColourBox* box) {
    s_.options.ColorsChecked += box->isChecked() ? 1 : -1;
}

void CubeWindow::ApplyPreset(const std::array<int, 6>& set) {
    s_.options.FaceColor = set;
    for (const ColourChoice& c : c_.colourBoxes) c.box->setChecked(false);
    for (int colour : set) c_.BoxOf(colour)->setChecked(true);
}

void CubeWindow::RestoreDefaultColours() {
    ApplyPreset(storage::kDefaultColours);
}

void CubeWindow::MakeColoursFluorescent() {
    ApplyPreset(kFluorescentColours);
}

void CubeWindow::FinishColourPanel() {
    // Taken in palette order, so "Done" sorts the set by colour number.
    std::size_t k = 0;
    std::array<int, 6> chosen = s_.options.FaceColor;
    for (const ColourChoice& c : c_.colourBoxes) {
        if (k < chosen.size() && c.box->isChecked()) chosen[k++] = c.colour;
    }
    if (k == chosen.size()) s_.options.FaceColor = chosen;
    SetVisible(c_.ColourPanelWords(), false);
    for (const ColourChoice& c : c_.colourBoxes) c.box->hide();
    ClosePanelSteps();
}

}  // namespace twistor
