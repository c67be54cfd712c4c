// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file and the two puzzle panels.

#include <QLineEdit>
#include <QListWidget>

#include "app/Captions.h"
#include "app/CubeWindow.h"
#include "app/DrawingArea.h"
#include "app/GameState.h"
#include "app/NumberText.h"
#include "app/Widgets.h"
#include "render/SidePanel.h"
#include "storage/Names.h"
#include "storage/Puzzle.h"
#include "storage/Settings.h"

namespace twistor {

namespace {

void FillFileList(QListWidget* list) {
    // Read afresh each time a panel opens, so a puzzle saved a moment ago
    // is there to load.
    list->clear();
    for (const std::string& name : storage::ListPuzzleFiles("."))
        list->addItem(QString::fromStdString(name));
}

}  // namespace

// ---------------------------------------------------------------------------
// The settings file

void CubeWindow::ReadSettingsAtStartUp() {
    const storage::SettingsRead read =
        storage::ReadSettings(std::string(storage::kSettingsFileName));
    if (!read.found) return;
    const storage::Settings& st = read.settings;
    s_.options.FaceColor = st.FaceColor;
    s_.cube.Resize(st.CubeSize);
    s_.options.ChosenSize = st.CubeSize;
    s_.modes.ScrambleLeft = ScramblePasses(st.ScrambleCount);
    s_.modes.MinTurnTime = st.MinTurnTime;
    c_.Text1->setText(QString::number(st.ScrambleCount));
    CheckSizeItem(st.CubeSize);
    if (!read.problems.empty()) {
        QString text = "Some settings could not be used; their defaults were taken instead:";
        for (const std::string& p : read.problems) text += "\n" + QString::fromStdString(p);
        ShowMessage(text);
    }
}

void CubeWindow::SaveSettings() {
    storage::Settings st;
    st.FaceColor = s_.options.FaceColor;
    st.CubeSize = s_.options.ChosenSize;
    st.ScrambleCount = ChosenScrambleCount();
    st.MinTurnTime = s_.modes.MinTurnTime;
    const storage::WriteStatus status =
        storage::SaveSettings(std::string(storage::kSettingsFileName), st);
    if (!status.ok())
        ShowMessage(QString::fromStdString("The settings were not saved: " + status.error));
}

// ---------------------------------------------------------------------------
// The puzzle panels

// The file a puzzle panel's name box names; false (with a note to the
// player) when the text cannot name a puzzle file, and an empty name when
// the box is empty.
bool CubeWindow::TakePuzzleName(const QLineEdit* box, std::string& fileName) {
    const storage::PuzzleName name = storage::PuzzleFileName(box->text().toStdString());
    if (name.kind == storage::PuzzleName::Kind::Refused) {
        ShowMessage(QString::fromStdString(name.message));
        return false;
    }
    fileName = name.fileName;
    return true;
}

void CubeWindow::ClosePuzzlePanel(const std::vector<QWidget*>& panel) {
    SetVisible(panel, false);
    SetVisible(c_.TurnTimePanel(), false);
    ClosePanelSteps();
}

void CubeWindow::OpenSavePanel() {
    OpenPanelSteps(Panel::SavePuzzle);
    FillFileList(c_.File1);
    SetVisible(c_.SavePanel(), true);
    s_.panels.TakesInput = true;
    c_.Text4->setFocus();
}

void CubeWindow::PickSaveName(const QString& entry) {
    c_.Text4->setText(entry);
}

// "Done" on the save panel.
void CubeWindow::FinishSavePanel() {
    std::string fileName;
    if (!TakePuzzleName(c_.Text4, fileName)) return;
    if (!fileName.empty()) {
        const storage::Puzzle puzzle{s_.cube,
                                     s_.view,
                                     s_.MoveAxis,
                                     {s_.history.Entries().begin(), s_.history.Entries().end()}};
        const storage::WriteStatus status = storage::SavePuzzle(fileName, puzzle);
        if (!status.ok()) {
            ShowMessage(QString::fromStdString("The puzzle was not saved: " + status.error));
            return;
        }
    }
    ClosePuzzlePanel(c_.SavePanel());
}

void CubeWindow::CancelSavePanel() {
    ClosePuzzlePanel(c_.SavePanel());
}

void CubeWindow::OpenLoadPanel() {
    OpenPanelSteps(Panel::LoadPuzzle);
    QListWidget* list = c_.File2;
    const QString selected = list->currentItem() ? list->currentItem()->text() : QString();
    FillFileList(list);
    QString preset;
    const auto found = list->findItems(selected, Qt::MatchExactly);
    if (!selected.isEmpty() && !found.isEmpty()) {
        list->setCurrentItem(found.front());
        preset = selected;
    } else if (list->count() > 0) {
        preset = list->item(0)->text();
    }
    c_.Text3->setText(preset);
    SetVisible(c_.LoadPanel(), true);
    s_.panels.TakesInput = true;
    c_.Text3->setFocus();
}

void CubeWindow::PickLoadName(const QString& entry) {
    c_.Text3->setText(entry);
}

// "Done" on the load panel.
void CubeWindow::FinishLoadPanel() {
    std::string fileName;
    if (!TakePuzzleName(c_.Text3, fileName)) return;
    if (!fileName.empty()) {
        // The whole file is checked before anything changes.
        const storage::PuzzleRead read = storage::LoadPuzzle(fileName);
        if (!read.puzzle) {
            ShowMessage(QString::fromStdString(read.error));
            return;
        }
        Maximize();
        ApplyPuzzle(*read.puzzle);
    }
    ClosePuzzlePanel(c_.LoadPanel());
}

void CubeWindow::ApplyPuzzle(const storage::Puzzle& p) {
    s_.game.PuzzleLoaded(s_.modes.GameMode);
    s_.mail.RedrawWanted = true;
    s_.cube = p.cube;
    s_.view = p.view;
    s_.MoveAxis = p.MoveAxis;
    s_.history.Assign(p.history);
    s_.cursor.Shown = false;
    ClearSolvedBoxes(area_->scene());
    const int n = s_.cube.CubeSize();
    ChooseSize(n);
    ApplyLoadedSize(s_.layout, n);
    SetLabel(c_.Label4, CubesSolvedText(0));
    SetLabel(c_.Label5, DifficultyText(s_.history.MoveCount()));
    DrawCubeNow();
}

void CubeWindow::CancelLoadPanel() {
    ClosePuzzlePanel(c_.LoadPanel());
}

}  // namespace twistor
