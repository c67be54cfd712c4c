// The option panels: difficulty, rotation time and colours, and the steps
// every panel shares when it opens and closes.

#include <QAction>
#include <algorithm>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/CubeWindow.h"
#include "app/DrawingArea.h"
#include "app/NumberText.h"
#include "app/Widgets.h"

namespace twistor {

void CubeWindow::OpenPanelSteps(Panel panel) {
    Panels& p = s_.panels;
    p.Shown = panel;
    if (!c_.Label4->isHidden()) p.RestoreCounts = true;
    SetVisible(c_.GameLabels(), false);
    if (ButtonsShown()) p.RestoreButtons = true;
    SetVisible(c_.GameButtons(), false);
    SetOptionMenusEnabled(false);
    SetLoadSaveEnabled(false);
    ClearPanel();
}

void CubeWindow::ClosePanelSteps() {
    Panels& p = s_.panels;
    if (p.RestoreCounts) {
        SetVisible(c_.GameLabels(), true);
        p.RestoreCounts = false;
    }
    if (p.RestoreButtons) {
        SetVisible(c_.GameButtons(), true);
        p.RestoreButtons = false;
    }
    SetOptionMenusEnabled(true);
    p.TakesInput = false;
    if (!s_.modes.GameMode) {
        DrawPanel();
        SetLoadSaveEnabled(true);
    }
    p.Shown = Panel::None;
    area_->setFocus();
}

// ---------------------------------------------------------------------------
// The difficulty panel

void CubeWindow::difficulty_Click() {
    OpenPanelSteps(Panel::Difficulty);
    SetVisible(c_.DifficultyPanel(), true);
    s_.panels.TakesInput = true;
    c_.Text1->setFocus();
}

void CubeWindow::Command3_Click() {
    // The box keeps the count as a plain number, never negative.
    const double count = LeadingNumber(c_.Text1->text().toStdString());
    c_.Text1->setText(QString::fromStdString(NumberText(std::max(0.0, count))));
    SetVisible(c_.DifficultyPanel(), false);
    ClosePanelSteps();
}

void CubeWindow::Command3_KeyDown() {
    area_->setFocus();
}

// ---------------------------------------------------------------------------
// The rotation-time panel

void CubeWindow::choosetime_Click() {
    OpenPanelSteps(Panel::TurnTime);
    SetVisible(c_.TurnTimePanel(), true);
    c_.Text2->ShowNumber(QString::fromStdString(NumberText(s_.modes.MinTurnTime)));
    s_.panels.TakesInput = true;
    c_.Text2->setFocus();
}

void CubeWindow::Command5_Click() {
    s_.modes.MinTurnTime = LeadingNumber(c_.Text2->text().toStdString());
    SetVisible(c_.TurnTimePanel(), false);
    ClosePanelSteps();
}

// ---------------------------------------------------------------------------
// The colour panel

void CubeWindow::choosecolors_Click() {
    OpenPanelSteps(Panel::Colours);
    for (int colour : s_.options.FaceColor) {
        if (ColourBox* box = c_.BoxOf(colour)) box->setChecked(true);
    }
    s_.options.ColorPanelShown = true;
    SetVisible(c_.ColourPanelWords(), true);
    for (const ColourChoice& c : c_.colourBoxes) c.box->show();
    s_.options.ColorsChecked = 6;
    s_.panels.TakesInput = true;
}

void CubeWindow::ColourBox_Click(ColourBox* box) {
    s_.options.ColorsChecked += box->isChecked() ? 1 : -1;
}

void CubeWindow::ApplyPreset(const std::array<int, 6>& set) {
    s_.options.FaceColor = set;
    for (const ColourChoice& c : c_.colourBoxes) c.box->setChecked(false);
    for (int colour : set) c_.BoxOf(colour)->setChecked(true);
}

void CubeWindow::Command2_Click() {
    ApplyPreset(storage::kDefaultColours);
}

void CubeWindow::Command4_Click() {
    ApplyPreset(kFluorescentColours);
}

void CubeWindow::Command1_Click() {
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
