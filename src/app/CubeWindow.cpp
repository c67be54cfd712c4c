// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CubeWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>

#include "app/Captions.h"
#include "app/CubeDescription.h"
#include "app/DrawingArea.h"
#include "app/GameState.h"
#include "app/KeyBindings.h"
#include "app/NumberText.h"
#include "app/Widgets.h"
#include "render/CubeDrawing.h"
#include "render/SidePanel.h"

namespace twistor {

void QtEventPump::Pump(Wait wait) {
    QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents;
    if (wait != Wait::Poll) flags |= QEventLoop::WaitForMoreEvents;
    QCoreApplication::processEvents(flags);
    // A hand-made loop never reaches the point where Qt deletes objects
    // scheduled for deletion; do it here.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

CubeWindow::CubeWindow(QWidget* parent)
    : QMainWindow(parent), state_(std::make_unique<GameState>()), s_(*state_) {
    setObjectName("CubeWindow");
    area_ = new DrawingArea(this);
    setCentralWidget(area_);
    area_->onMouseDown = [this](int button, double x, double y) { OnAreaPress(button, x, y); };
    area_->onResize = [this] { OnAreaResize(); };
    area_->describe = [this] { return QString::fromStdString(DescribeCube(s_)); };
    menuBar()->setNativeMenuBar(false);
    menuBar()->setAccessibleName("Menus");
    QFont font("DejaVu Sans");
    font.setPixelSize(kWindowFontPixels);
    setFont(font);
    BuildMenus();
    c_ = CreateControls(area_);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    WireControls();

    clockSeed_ = [] {
        return static_cast<std::uint64_t>(
            std::chrono::system_clock::now().time_since_epoch().count());
    };
    SetCaption(PracticeCaption());
    // The drawing area never gets smaller than the figure and the side
    // panel need to keep clear of each other.
    area_->setMinimumSize(792, 540);
    resize(592, 554 + menuBar()->sizeHint().height());
    // Open maximized: a window manager maximizes the window as it maps it,
    // and restores it to this size, which fits the screen with its frame.
    // It is placed by its frame, centred as if the title bar and borders
    // took 32 pixels (they are not known before the window is mapped).
    if (screen()) {
        const QRect available = screen()->availableGeometry();
        const QSize restored = (available.size() * 3 / 4).expandedTo(minimumSizeHint());
        const QSize room = available.size() - restored - QSize(0, 32);
        move(available.topLeft() +
             QPoint(std::max(room.width() / 2, 0), std::max(room.height() / 2, 0)));
        resize(restored);
    }
    setWindowState(Qt::WindowMaximized);
    qApp->installEventFilter(this);
}

CubeWindow::~CubeWindow() {
    qApp->removeEventFilter(this);
}

void CubeWindow::SetFixedArea(int width, int height) {
    fixedArea_ = true;
    setWindowState(Qt::WindowNoState);
    area_->setFixedSize(width, height);
    adjustSize();
}

void CubeWindow::RequestQuit(int status) {
    if (!quit_) exitStatus_ = status;
    quit_ = true;
}

QAction* CubeWindow::menuItem(const QString& name) const {
    return findChild<QAction*>(name);
}

// ---------------------------------------------------------------------------
// Building the window

QMenu* CubeWindow::AddMenu(QMenu* parent, const QString& name, const QString& caption) {
    QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction* CubeWindow::AddItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void CubeWindow::BuildMenus() {
    MenuItems& m = items_;
    QMenu* options = AddMenu(nullptr, "options", "&Options");
    m.newpuzzle = AddItem(options, "newpuzzle", kNewPuzzleCaption);
    m.loadpuzzle = AddItem(options, "loadpuzzle", "&Load puzzle");
    m.savepuzzle = AddItem(options, "savepuzzle", "&Save puzzle");
    m.savesettings = AddItem(options, "savesettings", "Save se&ttings");

    QMenu* solving = AddMenu(options, "solvingoptions", "Sol&ving options");
    m.solvingoptions = solving->menuAction();
    m.usolve = AddItem(solving, "usolve", "&User solves cube (practice mode)");
    m.csolve = AddItem(solving, "csolve", "&Computer solves cube (press \"b\" for one move)");
    m.choosetime = AddItem(solving, "choosetime", "Choose &minimum time taken to rotate cube");
    m.gamemode = AddItem(solving, "gamemode", "&Gamemode");
    for (QAction* a : {m.usolve, m.csolve, m.gamemode}) a->setCheckable(true);
    m.usolve->setChecked(true);

    m.difficulty = AddItem(options, "difficulty", "Choose &difficulty");
    m.choosecolors = AddItem(options, "choosecolors", "Choose &colors");

    BuildSizeMenu(AddMenu(options, "sizeofcube", "Si&ze of cube"));

    m.quit = AddItem(options, "quit", "&Quit");

    for (const KeyBinding& b : KeyBindings()) {
        if (b.action != KeyAction::MenuItem) continue;
        const QString item =
            QString::fromUtf8(b.item.data(), static_cast<qsizetype>(b.item.size()));
        menuItem(item)->setShortcut(QKeySequence(b.key | b.modifiers));
    }
    BuildInstructionsMenu();
}

void CubeWindow::BuildSizeMenu(QMenu* sizes) {
    static_assert(kSizeItems == kMaxCubeSize + 1);
    QMenu* larger = nullptr;
    for (int k = kMinCubeSize; k <= kMaxCubeSize; ++k) {
        // The underlined letter is the size's last digit: one of a kind in
        // each of the two menus.
        const QString size = QString::number(k);
        QString caption = QString("%1&%2 by %3 by %3").arg(size.chopped(1), size.right(1), size);
        if (k == 3) caption += " (standard)";
        if (k == 11) larger = AddMenu(sizes, "largersizes", "(&Larger sizes)");
        QAction* item = AddItem(k <= 10 ? sizes : larger, QString("by%1").arg(k), caption);
        item->setCheckable(true);
        items_.bySize[k] = item;
    }
    items_.bySize[2]->setChecked(true);
}

// The instructions are the menu itself: its items do nothing.
void CubeWindow::BuildInstructionsMenu() {
    QMenu* help = AddMenu(nullptr, "instructions", "&Instructions");
    struct Line {
        const char* menu;
        const char* menuCaption;
        const char* item;
        const char* itemCaption;
    };
    const Line lines[] = {
        {"fgdfg", "Rotating a side &vertically: ", "fdgdfgfdg",
         "{&Click the left mouse button on a vertical edge}"},
        {"cvfgbhbfdh", "Rotating a side &horizontally: ", "bhvfgfghghfgh",
         "{&Click the right mouse button on a horizontal edge}"},
        {"fgddfthgdf", "Rotating the cube &right or left:", "fthggfhgf", "{&Press \"r\" or \"t\"}"},
        {"ghffgh", "&Turning the cube:", "rdeyhgrd", "{&Use the arrow keys}"},
        {"keyboard", "Playing with the &keyboard:", "keyboardkeys",
         "{&Shift+arrow keys move a square cursor, Ctrl+arrow keys turn its column or row, F10 "
         "opens the menus}"},
    };
    for (const Line& l : lines)
        AddItem(AddMenu(help, l.menu, l.menuCaption), l.item, l.itemCaption);
}

// What each menu item and button does: the one place where a control meets
// its handler.
void CubeWindow::WireControls() {
    using Handler = void (CubeWindow::*)();
    static constexpr std::pair<const char*, Handler> kHandlers[] = {
        {"newpuzzle", &CubeWindow::NewPuzzle},
        {"loadpuzzle", &CubeWindow::OpenLoadPanel},
        {"savepuzzle", &CubeWindow::OpenSavePanel},
        {"savesettings", &CubeWindow::SaveSettings},
        {"usolve", &CubeWindow::ChooseUserSolves},
        {"csolve", &CubeWindow::ChooseComputerSolves},
        {"choosetime", &CubeWindow::OpenTurnTimePanel},
        {"gamemode", &CubeWindow::StartGameMode},
        {"difficulty", &CubeWindow::OpenDifficultyPanel},
        {"choosecolors", &CubeWindow::OpenColourPanel},
        {"quit", &CubeWindow::Quit},
        {"Command1", &CubeWindow::FinishColourPanel},       // colours: "Done"
        {"Command2", &CubeWindow::RestoreDefaultColours},   // "Restore default colors"
        {"Command3", &CubeWindow::FinishDifficultyPanel},   // difficulty: "Done"
        {"Command4", &CubeWindow::MakeColoursFluorescent},  // "Make colors fluorescent"
        {"Command5", &CubeWindow::FinishTurnTimePanel},     // rotation time: "Done"
        {"Command6", &CubeWindow::StartNewGameCube},        // "Start new cube"
        {"Command7", &CubeWindow::QuitPlaying},             // "Quit playing"
        {"Command8", &CubeWindow::FinishLoadPanel},         // load: "Done"
        {"Command9", &CubeWindow::CancelLoadPanel},         // load: "Cancel"
        {"Command10", &CubeWindow::FinishSavePanel},        // save: "Done"
        {"Command11", &CubeWindow::CancelSavePanel},        // save: "Cancel"
    };
    for (const auto& [name, handler] : kHandlers) {
        if (QAction* action = menuItem(name)) {
            connect(action, &QAction::triggered, this, [this, action, handler = handler] {
                // Qt flips a check mark before it reports the click; the
                // handlers decide check marks themselves.
                if (action->isCheckable()) action->setChecked(!action->isChecked());
                (this->*handler)();
            });
        } else {
            connect(area_->findChild<QPushButton*>(name), &QPushButton::clicked, this,
                    [this, handler = handler] { (this->*handler)(); });
        }
    }
    for (int k = kMinCubeSize; k <= kMaxCubeSize; ++k) {
        QAction* item = items_.bySize[k];
        connect(item, &QAction::triggered, this, [this, item, k] {
            item->setChecked(!item->isChecked());
            ChooseSize(k);
        });
    }
    for (const ColourChoice& c : c_.colourBoxes) {
        connect(c.box, &QCheckBox::toggled, this, [this, box = c.box] { CountColourBox(box); });
    }
    // An entry picked by a click, or chosen with the arrow keys.
    for (auto [list, pick] : {std::pair{c_.File1, &CubeWindow::PickSaveName},
                              std::pair{c_.File2, &CubeWindow::PickLoadName}}) {
        connect(list, &QListWidget::itemClicked, this,
                [this, pick = pick](QListWidgetItem* item) { (this->*pick)(item->text()); });
        connect(list, &QListWidget::itemSelectionChanged, this, [this, list = list, pick = pick] {
            if (const auto picked = list->selectedItems(); !picked.isEmpty())
                (this->*pick)(picked.front()->text());
        });
    }
    connect(Timer1, &QTimer::timeout, this, [this] { OnTurnTimer(); });
}

// ---------------------------------------------------------------------------
// Drawing and window helpers

void CubeWindow::Repaint() {
    area_->update();
}

void CubeWindow::DrawPanel() {
    DrawSolvePanel(area_->canvas(), s_.modes.SolveMode == Solver::Computer);
    Repaint();
}

void CubeWindow::ClearPanel() {
    ClearSidePanel(area_->canvas());
    Repaint();
}

void CubeWindow::DrawCubeNow() {
    if (area_->size() != laidOutFor_) LayOutAgain();
    DrawCube(area_->scene(), s_.cube, s_.view, s_.layout);
    const Cursor& cursor = s_.cursor;
    if (cursor.Shown) DrawSquareCursor(area_->canvas(), s_.layout, cursor.Column, cursor.Row);
    Repaint();
    area_->AnnounceChange();
}

void CubeWindow::ClearBands() {
    ClearSolvedBands(area_->scene(), s_.layout);
    Repaint();
}

// The window has a new size: the figure follows it, with the depth it had (a
// loaded puzzle's is half the face), and so does the right band, shown or
// not. The side panel and the left band keep their places.
void CubeWindow::LayOutAgain() {
    const int n = s_.cube.CubeSize();
    const bool halfDepth = s_.layout.DepthSpan == s_.layout.FaceSpan / 2.0;
    s_.layout = ComputeLayout(n, area_->width(), area_->height());
    if (halfDepth) ApplyLoadedSize(s_.layout, n);
    laidOutFor_ = area_->size();
    ClearForNewSize(area_->scene(), s_.layout);
}

void CubeWindow::Maximize() {
    if (fixedArea_) return;
    // A window with a frame has a window manager, which maximizes it; one
    // on an X display without is given the screen by hand. A window just
    // shown has no frame yet either way, so that is told once it is on the
    // screen. Nothing waits for the new size: the next drawing of the cube
    // lays it out for the size the window has.
    QWindow* shown = windowHandle();
    if (shown && shown->isVisible() && QGuiApplication::platformName() == "xcb") {
        const QDeadlineTimer deadline(1000);
        while (!shown->isExposed() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        if (shown->isExposed() && frameGeometry() == geometry()) TakeScreen();
    }
    showMaximized();
}

void CubeWindow::TakeScreen() {
    if (!screen()) return;
    const QRect available = screen()->availableGeometry();
    resize(available.size());
    move(available.topLeft());
}

void CubeWindow::SetCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void CubeWindow::SetLabel(FittingLabel* label, const std::string& text) {
    label->SetText(QString::fromStdString(text));
}

void CubeWindow::ShowGameCounts() {
    SetLabel(c_.Label4, CubesSolvedText(s_.game.CubesSolved));
    SetLabel(c_.Label5, DifficultyText(DifficultyLevel(s_.game.DifficultyMoves)));
}

// Game mode's labels and buttons show what the game state says, unless a
// panel covers them.
void CubeWindow::ShowGameControls() {
    const bool uncovered = s_.panels.Shown == Panel::None;
    SetVisible(c_.GameLabels(), uncovered && s_.game.LabelsShown);
    const bool hadKeyboard = c_.Command6->hasFocus() || c_.Command7->hasFocus();
    const bool buttons = uncovered && s_.game.WaitingForNewCube;
    SetVisible(c_.GameButtons(), buttons);
    // Keys go back to the cube when its buttons leave.
    if (hadKeyboard && !buttons) area_->setFocus();
}

void CubeWindow::SetLoadSaveEnabled(bool enabled) {
    items_.loadpuzzle->setEnabled(enabled);
    items_.savepuzzle->setEnabled(enabled);
}

void CubeWindow::SetOptionMenusEnabled(bool enabled) {
    for (QAction* item : {items_.choosecolors, items_.difficulty, items_.choosetime,
                          items_.solvingoptions, items_.newpuzzle})
        item->setEnabled(enabled);
}

void CubeWindow::CheckSizeItem(int size) {
    for (int k = kMinCubeSize; k <= kMaxCubeSize; ++k) items_.bySize[k]->setChecked(k == size);
}

void CubeWindow::ShowMessage(const QString& text) {
    // Not modal: the game goes on while the note is shown. One note at a
    // time: the next says its words in the same box, so refusals never pile up.
    lastMessage_ = text;
    auto* box = findChild<QMessageBox*>("Message", Qt::FindDirectChildrenOnly);
    if (box == nullptr) {
        box = new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
        box->setObjectName("Message");
        box->setModal(false);
    }
    box->setWindowTitle(windowTitle());
    box->setText(text);
    box->show();
    box->raise();
}

int CubeWindow::ChosenScrambleCount() const {
    return ScrambleCountFrom(c_.Text1->text().toStdString());
}

// ---------------------------------------------------------------------------
// Input

void CubeWindow::closeEvent(QCloseEvent* event) {
    RequestQuit(0);
    event->accept();
}

void CubeWindow::OnTurnTimer() {
    s_.mail.TimerTick = true;
}

void CubeWindow::OnAreaPress(int button, double x, double y) {
    HideCursor();  // the player has taken the mouse
    if (!s_.modes.GameMode && TakesClicks()) {
        if (OnBox(kUserBox, x, y)) return SetSolver(Solver::Player);
        if (OnBox(kComputerBox, x, y)) return SetSolver(Solver::Computer);
    }
    if (TakesClicks() && s_.modes.SolveMode == Solver::Player) RecordClick(button, x, y);
}

// No panel is open, and no finished game cube waits for "Start new cube".
bool CubeWindow::TakesClicks() const {
    return s_.panels.Shown == Panel::None && !s_.panels.TakesInput && !s_.game.WaitingForNewCube;
}

// Leaves a click for the main loop, which hit-tests it at its next pump.
void CubeWindow::RecordClick(int button, double x, double y) {
    s_.mail.ClickX = x;
    s_.mail.ClickY = y;
    s_.mail.ClickPending = true;
    s_.mail.ClickButton = button;
}

void CubeWindow::OnAreaResize() {
    // The loop leaves its wait and draws the cube, laid out for the new size.
    if (laidOutFor_.isValid() && area_->size() != laidOutFor_) s_.mail.RedrawWanted = true;
}

}  // namespace twistor
