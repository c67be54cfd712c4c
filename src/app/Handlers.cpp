// The handlers of the menus, the option panels and the game-mode buttons.
// They set state and flags for the main loop and redraw the side panel when
// they change what it shows; only loading a puzzle draws the cube itself.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "app/CubeWindow.h"
#include "app/DrawingArea.h"
#include "app/NumberText.h"
#include "app/PanelControls.h"
#include "render/Captions.h"
#include "render/CubeDrawing.h"
#include "render/SidePanel.h"
#include "storage/Names.h"
#include "storage/Puzzle.h"
#include "storage/Settings.h"

namespace twistor {

namespace {

QLineEdit* TextBox(QWidget* w) {
    return static_cast<QLineEdit*>(w);
}

// The controls of the two puzzle panels.
constexpr std::initializer_list<const char*> kSavePanel = {"Label7", "Text4", "File1", "Command10",
                                                           "Command11"};
constexpr std::initializer_list<const char*> kLoadPanel = {"Label6", "Text3", "File2", "Command8",
                                                           "Command9"};

// The colour boxes in ascending colour order.
constexpr int kColoursInBoxOrder[] = {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15};

}  // namespace

// ---------------------------------------------------------------------------
// The steps every option panel shares

void CubeWindow::OpenPanelSteps(int code) {
    Panels& p = s_.panels;
    p.OpenPanel = code;
    if (Visible("Label4")) p.RestoreLabel4 = 1;
    Show({"Label4", "Label5"}, false);
    if (Visible("Command6")) p.RestoreCommand6 = 1;
    Show({"Command6", "Command7"}, false);
    SetOptionMenusEnabled(false);
    SetLoadSaveEnabled(false);
    ClearPanel();
}

void CubeWindow::ClosePanelSteps() {
    Panels& p = s_.panels;
    if (p.RestoreLabel4 == 1) {
        Show({"Label4", "Label5"}, true);
        p.RestoreLabel4 = 0;
    }
    if (p.RestoreCommand6 == 1) {
        Show({"Command6", "Command7"}, true);
        p.RestoreCommand6 = 0;
    }
    SetOptionMenusEnabled(true);
    p.PanelOpen = 0;
    if (s_.modes.GameMode != 1) {
        DrawPanel();
        SetLoadSaveEnabled(true);
    }
    p.OpenPanel = 0;
    area_->setFocus();
}

// ---------------------------------------------------------------------------
// Solving modes and game mode

void CubeWindow::usolve_Click() {
    if (!items_["usolve"]->isChecked()) LeaveGameFor(0);
}

void CubeWindow::csolve_Click() {
    if (!items_["csolve"]->isChecked()) LeaveGameFor(1);
}

// Practice (0) or computer (1) mode from the menu: a game in play is left,
// and a cube it had not finished will not count.
void CubeWindow::LeaveGameFor(int solveMode) {
    GameFlow& g = s_.game;
    if (!Visible("Command6") && s_.modes.GameMode == 1) g.AbandonedCube = 1;
    if (Visible("Command6")) g.OutsideGame = 1;
    Show({"Label4", "Label5", "Command6", "Command7"}, false);
    items_["newpuzzle"]->setText("New puzzle");
    SetCaption(PracticeCaption());
    SetSolver(solveMode);
    SetLoadSaveEnabled(true);
}

void CubeWindow::gamemode_Click() {
    if (items_["gamemode"]->isChecked() || s_.modes.GameMode == 1) return;
    GameFlow& g = s_.game;
    if (!s_.cube.IsSolved()) {
        ClearBands();
        Repaint();
        if (g.OutsideGame == 1) g.OutsideGame = 2;
    }
    g.KeepZeroCount = 1;
    g.SolvedSeen = 0;
    s_.mail.ViewKeyFlag = 1;
    s_.cube.Resize(s_.options.ChosenSize);
    s_.history.Clear();
    ResetRunCounters();
    s_.modes.ScrambleLeft = std::max(2, ChosenScrambleCount() + 1);
    g.DifficultyMoves = s_.modes.ScrambleLeft;
    s_.modes.CubeReady = 0;
    g.CubesSolved = 0;
    items_["newpuzzle"]->setText("New game");
    SetCaption(GameCaption(s_.cube.CubeSize()));
    ClearPanel();
    s_.modes.SolveMode = 0;
    items_["usolve"]->setChecked(false);
    items_["csolve"]->setChecked(false);
    items_["gamemode"]->setChecked(true);
    s_.modes.GameMode = 1;
    Show({"Label4", "Label5"}, true);
    SetLabel("Label4", CubesSolvedText(g.CubesSolved));
    SetLabel("Label5", DifficultyText(g.DifficultyMoves - 1));
    SetLoadSaveEnabled(false);
}

void CubeWindow::Command6_Click() {
    GameFlow& g = s_.game;
    SetLabel("Label5", DifficultyText(g.DifficultyMoves - 1));
    s_.mail.ViewKeyFlag = 1;
    s_.history.Clear();
    ResetRunCounters();
    s_.modes.CubeReady = 0;
    s_.modes.ScrambleLeft = g.DifficultyMoves;
    Show({"Command6", "Command7"}, false);
    Maximize();
}

void CubeWindow::Command7_Click() {
    GameFlow& g = s_.game;
    g.OutsideGame = 1;
    Show({"Label4", "Label5", "Command6", "Command7"}, false);
    items_["newpuzzle"]->setText("New puzzle");
    if (g.CubesSolved < 0) g.CubesSolved = 0;
    SetCaption(GameCaption(s_.cube.CubeSize()));
    SetSolver(0);
    SetLoadSaveEnabled(true);
}

// ---------------------------------------------------------------------------
// New cubes and sizes

void CubeWindow::SizeItem_Click(int size) {
    s_.options.ChosenSize = size;
    for (int k = kMinCubeSize; k <= kMaxCubeSize; ++k)
        items_[QString("by%1").arg(k)]->setChecked(k == size);
}

void CubeWindow::newpuzzle_Click() {
    GameFlow& g = s_.game;
    const bool game = s_.modes.GameMode == 1;
    if (game) {
        g.KeepZeroCount = 0;
        if (!Visible("Command6")) {
            g.KeepZeroCount = 1;
            g.NoButtonsOnce = 1;
        }
    } else {
        g.ForgetGame();
    }
    g.SolvedSeen = 0;
    s_.mail.ViewKeyFlag = 1;
    s_.cube.Resize(s_.options.ChosenSize);
    s_.history.Clear();
    ResetRunCounters();
    s_.modes.ScrambleLeft = ChosenScrambleCount() + 1;
    if (game) {
        s_.modes.ScrambleLeft = std::max(2, s_.modes.ScrambleLeft);
        g.DifficultyMoves = s_.modes.ScrambleLeft;
        SetLabel("Label4", CubesSolvedText(0));
        SetLabel("Label5", DifficultyText(g.DifficultyMoves - 1));
        SetCaption(GameCaption(s_.cube.CubeSize()));
    }
    s_.modes.CubeReady = 0;
    g.CubesSolved = -1;
    Maximize();
}

void CubeWindow::quit_Click() {
    RequestQuit(0);
}

// ---------------------------------------------------------------------------
// The difficulty panel

void CubeWindow::difficulty_Click() {
    OpenPanelSteps(1);
    Show({"Command3", "Label1", "Text1"}, true);
    s_.panels.PanelOpen = 1;
    control("Text1")->setFocus();
}

void CubeWindow::Command3_Click() {
    // The box keeps the count as a plain number, never negative.
    QLineEdit* text1 = TextBox(control("Text1"));
    const double count = LeadingNumber(text1->text().toStdString());
    text1->setText(count < 0 ? "0" : QString::fromStdString(NumberText(count)));
    Show({"Label1", "Text1", "Command3"}, false);
    ClosePanelSteps();
}

void CubeWindow::Command3_KeyDown() {
    area_->setFocus();
}

// ---------------------------------------------------------------------------
// The rotation-time panel

void CubeWindow::choosetime_Click() {
    OpenPanelSteps(4);
    Show({"Label3", "Text2"}, true);
    static_cast<NumberBox*>(control("Text2"))
        ->ShowNumber(QString::fromStdString(NumberText(s_.modes.MinTurnTime)));
    Show({"Command5"}, true);
    s_.panels.PanelOpen = 1;
    control("Text2")->setFocus();
}

void CubeWindow::Command5_Click() {
    s_.modes.MinTurnTime = LeadingNumber(TextBox(control("Text2"))->text().toStdString());
    Show({"Label3", "Text2", "Command5"}, false);
    ClosePanelSteps();
}

// ---------------------------------------------------------------------------
// The colour panel

void CubeWindow::choosecolors_Click() {
    OpenPanelSteps(2);
    for (int colour : s_.options.FaceColor) {
        if (colourBoxes_.count(colour)) colourBoxes_[colour]->setChecked(true);
    }
    s_.options.ColorPanelShown = 1;
    Show({"Label2", "Command1", "Command2", "Command4"}, true);
    for (auto& [colour, box] : colourBoxes_) box->show();
    s_.options.ColorsChecked = 6;
    s_.panels.PanelOpen = 1;
}

void CubeWindow::ColourBox_Click(QCheckBox* box) {
    s_.options.ColorsChecked += box->isChecked() ? 1 : -1;
}

void CubeWindow::ApplyPreset(const std::array<int, 6>& set) {
    s_.options.FaceColor = set;
    for (const char* name :
         {"Check1", "Check2", "Check3", "Check4", "Check35", "Check36", "Check37", "Check38",
          "Check39", "Check42", "Check43", "Check44", "Check45", "Check46"}) {
        static_cast<QCheckBox*>(control(name))->setChecked(false);
    }
    for (int colour : set) colourBoxes_[colour]->setChecked(true);
}

void CubeWindow::Command2_Click() {
    ApplyPreset(kDefaultColours);
}
void CubeWindow::Command4_Click() {
    ApplyPreset(kFluorescentColours);
}

void CubeWindow::Command1_Click() {
    // Taken in palette order, so "Done" sorts the set by colour number.
    std::size_t k = 0;
    std::array<int, 6> chosen = s_.options.FaceColor;
    for (int colour : kColoursInBoxOrder) {
        if (k < chosen.size() && colourBoxes_[colour]->isChecked()) chosen[k++] = colour;
    }
    if (k == chosen.size()) s_.options.FaceColor = chosen;
    Show({"Label2", "Command2", "Command4", "Command1"}, false);
    for (auto& [colour, box] : colourBoxes_) box->hide();
    ClosePanelSteps();
}

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
    s_.modes.ScrambleLeft = st.ScrambleCount + 1;
    s_.modes.MinTurnTime = st.MinTurnTime;
    TextBox(control("Text1"))->setText(QString::number(st.ScrambleCount));
    for (int k = kMinCubeSize; k <= kMaxCubeSize; ++k) {
        items_[QString("by%1").arg(k)]->setChecked(k == st.CubeSize);
    }
    if (!read.problems.empty()) {
        QString text = "Some settings could not be used; their defaults were taken instead:";
        for (const std::string& p : read.problems) text += "\n" + QString::fromStdString(p);
        ShowMessage(text);
    }
}

void CubeWindow::savesettings_Click() {
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

namespace {

void FillFileList(QListWidget* list) {
    // Read afresh each time a panel opens, so a puzzle saved a moment ago
    // is there to load.
    list->clear();
    for (const std::string& name : storage::ListPuzzleFiles("."))
        list->addItem(QString::fromStdString(name));
}

}  // namespace

void CubeWindow::savepuzzle_Click() {
    OpenPanelSteps(1);
    FillFileList(static_cast<QListWidget*>(control("File1")));
    Show(kSavePanel, true);
    s_.panels.PanelOpen = 1;
    control("Text4")->setFocus();
}

void CubeWindow::File1_Click(const QString& entry) {
    TextBox(control("Text4"))->setText(entry);
}

// The file a puzzle panel's name box names; false (with a note to the
// player) when the text cannot name a puzzle file, and an empty name when
// the box is empty.
bool CubeWindow::TakePuzzleName(const char* box, std::string& fileName) {
    const storage::PuzzleName name =
        storage::PuzzleFileName(TextBox(control(box))->text().toStdString());
    if (name.kind == storage::PuzzleName::Kind::Refused) {
        ShowMessage(QString::fromStdString(name.message));
        return false;
    }
    fileName = name.fileName;
    return true;
}

void CubeWindow::ClosePuzzlePanel(std::initializer_list<const char*> controls) {
    Show(controls, false);
    Show({"Label3", "Text2", "Command5"}, false);
    ClosePanelSteps();
}

void CubeWindow::Command10_Click() {
    std::string fileName;
    if (!TakePuzzleName("Text4", fileName)) return;
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
    ClosePuzzlePanel(kSavePanel);
}

void CubeWindow::Command11_Click() {
    ClosePuzzlePanel(kSavePanel);
}

void CubeWindow::loadpuzzle_Click() {
    OpenPanelSteps(3);
    auto* list = static_cast<QListWidget*>(control("File2"));
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
    TextBox(control("Text3"))->setText(preset);
    Show(kLoadPanel, true);
    s_.panels.PanelOpen = 1;
    control("Text3")->setFocus();
}

void CubeWindow::File2_Click(const QString& entry) {
    TextBox(control("Text3"))->setText(entry);
}

void CubeWindow::Command8_Click() {
    std::string fileName;
    if (!TakePuzzleName("Text3", fileName)) return;
    if (!fileName.empty()) {
        // The whole file is checked before anything changes.
        storage::PuzzleRead read = storage::LoadPuzzle(fileName);
        if (!read.puzzle) {
            ShowMessage(QString::fromStdString(read.error));
            return;
        }
        Maximize();
        GameFlow& g = s_.game;
        if (s_.modes.GameMode != 1) g.ForgetGame();
        g.SolvedSeen = 0;
        s_.mail.ViewKeyFlag = 1;
        ResetRunCounters();

        storage::Puzzle& p = *read.puzzle;
        s_.cube = p.cube;
        s_.view = p.view;
        s_.MoveAxis = p.MoveAxis;
        s_.history.Assign(p.history);
        Canvas& canvas = area_->canvas();
        // The "Solved Cube!" boxes go; the right one sits beside the figure.
        const QRect band =
            canvas.RightBandShown().isValid() ? canvas.RightBandShown() : kRightBandArea;
        const int shift = band.left() - kRightBandArea.left();
        canvas.FillRect(5, 280, 205, 335, kBackground);
        canvas.FillRect(590 + shift, 190, 800 + shift, 300, kBackground);
        const int n = s_.cube.CubeSize();
        SizeItem_Click(n);
        ApplyLoadedSize(s_.layout, n);
        g.CubesSolved = 0;
        SetLabel("Label4", CubesSolvedText(0));
        SetLabel("Label5", DifficultyText(s_.history.MoveCount()));
        DrawCubeNow();
    }
    ClosePuzzlePanel(kLoadPanel);
}

void CubeWindow::Command9_Click() {
    ClosePuzzlePanel(kLoadPanel);
}

}  // namespace twistor
