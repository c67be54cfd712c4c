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
#include <map>

#include "app/Captions.h"
#include "app/DrawingArea.h"
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

CubeWindow::CubeWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName("CubeWindow");
    area_ = new DrawingArea(this);
    setCentralWidget(area_);
    area_->onMouseDown = [this](int button, double x, double y) { Form_MouseDown(button, x, y); };
    area_->onResize = [this] { Form_Resize(); };
    menuBar()->setNativeMenuBar(false);
    QFont font("DejaVu Sans");
    font.setPixelSize(kWindowFontPixels);
    setFont(font);
    BuildMenus();
    c_ = CreateControls(area_);
    WireControls();

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

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

QAction* CubeWindow::AddItem(QMenu* menu, const QString& name, const QString& caption,
                             void (CubeWindow::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (handler) {
        connect(action, &QAction::triggered, this, [this, action, handler] {
            // Qt flips a check mark before it reports the click; the handlers
            // decide check marks themselves.
            if (action->isCheckable()) action->setChecked(!action->isChecked());
            (this->*handler)();
        });
    }
    return action;
}

void CubeWindow::BuildMenus() {
    MenuItems& m = items_;
    QMenu* options = AddMenu(nullptr, "options", "Options");
    m.newpuzzle = AddItem(options, "newpuzzle", "New puzzle", &CubeWindow::newpuzzle_Click);
    m.loadpuzzle = AddItem(options, "loadpuzzle", "Load puzzle", &CubeWindow::loadpuzzle_Click);
    m.savepuzzle = AddItem(options, "savepuzzle", "Save puzzle", &CubeWindow::savepuzzle_Click);
    m.savesettings =
        AddItem(options, "savesettings", "Save settings", &CubeWindow::savesettings_Click);

    QMenu* solving = AddMenu(options, "solvingoptions", "Solving options");
    m.solvingoptions = solving->menuAction();
    m.usolve =
        AddItem(solving, "usolve", "User solves cube (practice mode)", &CubeWindow::usolve_Click);
    m.csolve = AddItem(solving, "csolve", "Computer solves cube (press \"b\" for one move)",
                       &CubeWindow::csolve_Click);
    m.choosetime = AddItem(solving, "choosetime", "Choose minimum time taken to rotate cube",
                           &CubeWindow::choosetime_Click);
    m.gamemode = AddItem(solving, "gamemode", "Gamemode", &CubeWindow::gamemode_Click);
    for (QAction* a : {m.usolve, m.csolve, m.gamemode}) a->setCheckable(true);
    m.usolve->setChecked(true);

    m.difficulty =
        AddItem(options, "difficulty", "Choose difficulty", &CubeWindow::difficulty_Click);
    m.choosecolors =
        AddItem(options, "choosecolors", "Choose colors", &CubeWindow::choosecolors_Click);

    BuildSizeMenu(AddMenu(options, "sizeofcube", "Size of cube"));

    m.quit = AddItem(options, "quit", "Quit", &CubeWindow::quit_Click);

    BuildInstructionsMenu();
}

void CubeWindow::BuildSizeMenu(QMenu* sizes) {
    QMenu* larger = nullptr;
    for (int k = kMinCubeSize; k <= kMaxCubeSize; ++k) {
        QString caption = QString("%1 by %1 by %1").arg(k);
        if (k == 3) caption += " (standard)";
        if (k == 11) larger = AddMenu(sizes, "largersizes", "(Larger sizes)");
        QAction* item = AddItem(k <= 10 ? sizes : larger, QString("by%1").arg(k), caption);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, item, k] {
            item->setChecked(!item->isChecked());
            SizeItem_Click(k);
        });
        items_.bySize[k] = item;
    }
    items_.bySize[2]->setChecked(true);
}

// The instructions are the menu itself: its items do nothing.
void CubeWindow::BuildInstructionsMenu() {
    QMenu* help = AddMenu(nullptr, "instructions", "Instructions");
    struct Line {
        const char* menu;
        const char* menuCaption;
        const char* item;
        const char* itemCaption;
    };
    const Line lines[] = {
        {"fgdfg", "Rotating a side vertically: ", "fdgdfgfdg",
         "{Click the left mouse button on a vertical edge}"},
        {"cvfgbhbfdh", "Rotating a side horizontally: ", "bhvfgfghghfgh",
         "{Click the right mouse button on a horizontal edge}"},
        {"fgddfthgdf", "Rotating the cube right or left:", "fthggfhgf", "{Press \"r\" or \"t\"}"},
        {"ghffgh", "Turning the cube:", "rdeyhgrd", "{Use the arrow keys}"},
    };
    for (const Line& l : lines)
        AddItem(AddMenu(help, l.menu, l.menuCaption), l.item, l.itemCaption);
}

void CubeWindow::WireControls() {
    const std::pair<QPushButton*, void (CubeWindow::*)()> buttons[] = {
        {c_.Command1, &CubeWindow::Command1_Click},   {c_.Command2, &CubeWindow::Command2_Click},
        {c_.Command3, &CubeWindow::Command3_Click},   {c_.Command4, &CubeWindow::Command4_Click},
        {c_.Command5, &CubeWindow::Command5_Click},   {c_.Command6, &CubeWindow::Command6_Click},
        {c_.Command7, &CubeWindow::Command7_Click},   {c_.Command8, &CubeWindow::Command8_Click},
        {c_.Command9, &CubeWindow::Command9_Click},   {c_.Command10, &CubeWindow::Command10_Click},
        {c_.Command11, &CubeWindow::Command11_Click},
    };
    for (const auto& [button, handler] : buttons)
        connect(button, &QPushButton::clicked, this,
                [this, handler = handler] { (this->*handler)(); });
    for (const ColourChoice& c : c_.colourBoxes) {
        connect(c.box, &QCheckBox::toggled, this, [this, box = c.box] { ColourBox_Click(box); });
    }
    connect(c_.File1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { File1_Click(item->text()); });
    connect(c_.File2, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { File2_Click(item->text()); });
    c_.Command3->installEventFilter(this);
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
    Repaint();
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
    SetLabel(c_.Label5, DifficultyText(s_.game.DifficultyMoves - 1));
}

bool CubeWindow::ButtonsShown() const {
    return !c_.Command6->isHidden();
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

bool CubeWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this || QApplication::activePopupWidget()) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!s_.panels.TakesInput) {
        // With no panel open every key is the cube's, whichever control
        // Qt would give it to.
        Form_KeyDown(key->key());
        return true;
    }
    if (watched == c_.Command3) {
        Command3_KeyDown();
        return true;
    }
    return false;
}

void CubeWindow::Timer1_Timer() {
    s_.mail.TimerTick = true;
}

void CubeWindow::Form_MouseDown(int button, double x, double y) {
    if (s_.panels.Shown != Panel::None) return;
    if (ButtonsShown()) return;  // a finished game cube waits for "Start new cube"
    if (!s_.modes.GameMode) {
        if (OnBox(kUserBox, x, y)) return SetSolver(Solver::Player);
        if (OnBox(kComputerBox, x, y)) return SetSolver(Solver::Computer);
    }
    if (!s_.panels.TakesInput && s_.modes.SolveMode == Solver::Player) {
        s_.mail.ClickX = x;
        s_.mail.ClickY = y;
        s_.mail.ClickPending = true;
        s_.mail.ClickButton = button;
    }
}

void CubeWindow::Form_Resize() {
    // The loop leaves its wait and draws the cube, laid out for the new size.
    if (laidOutFor_.isValid() && area_->size() != laidOutFor_) s_.mail.ViewKeyFlag = true;
}

void CubeWindow::Form_KeyDown(int keyCode) {
    if (s_.modes.SolveMode != Solver::Player || s_.panels.TakesInput) return;
    if (keyCode == Qt::Key_B) {
        if (s_.modes.GameMode) return;
        SetSolver(Solver::Computer);
        s_.modes.StepMode = true;
        return;
    }
    static const std::map<int, CubeKey> kTurns = {
        {Qt::Key_Left, CubeKey::Left}, {Qt::Key_Up, CubeKey::Up}, {Qt::Key_Right, CubeKey::Right},
        {Qt::Key_Down, CubeKey::Down}, {Qt::Key_R, CubeKey::R},   {Qt::Key_T, CubeKey::T}};
    const auto turn = kTurns.find(keyCode);
    if (turn == kTurns.end()) return;
    s_.view = TurnWholeCube(s_.view, turn->second);
    s_.mail.ViewKeyFlag = true;
}

}  // namespace twistor
