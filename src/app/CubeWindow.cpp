#include "app/CubeWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <chrono>

#include "app/DrawingArea.h"
#include "app/NumberText.h"
#include "app/PanelControls.h"
#include "app/WrapButton.h"
#include "render/Captions.h"
#include "render/CubeDrawing.h"
#include "render/Palette.h"
#include "render/SidePanel.h"

namespace twistor {

namespace {

// The window is described in twips, 15 to the pixel.
QRect Twips(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

constexpr int kSmallFontPixels = 11;  // the controls' 8.25 pt
constexpr int kLargeFontPixels = 16;  // the game labels' 12 pt

struct LabelSpec {
    const char* name;
    const char* caption;
    QRect rect;
    QColor background;
    int fontPixels;
};

struct ColourBoxSpec {
    const char* name;
    int colour;
    int left;
    int top;
};

// The fourteen colour boxes in their grid, in three rows.
constexpr ColourBoxSpec kColourBoxes[] = {
    {"Check35", 1, 240, 1080},   {"Check37", 3, 1800, 1080},  {"Check36", 2, 3360, 1080},
    {"Check38", 4, 4920, 1080},  {"Check39", 5, 6480, 1080},  {"Check42", 9, 240, 2040},
    {"Check43", 10, 1800, 2040}, {"Check44", 11, 3360, 2040}, {"Check45", 12, 4920, 2040},
    {"Check46", 13, 6480, 2040}, {"Check1", 14, 240, 3000},   {"Check2", 15, 1800, 3000},
    {"Check3", 6, 3360, 3000},   {"Check4", 8, 4920, 3000},
};

constexpr const char* kPanelMenus[] = {"choosecolors", "difficulty", "choosetime", "solvingoptions",
                                       "newpuzzle"};

QFont WindowFont() {
    QFont f("DejaVu Sans");
    f.setPixelSize(kWindowFontPixels);
    return f;
}

}  // namespace

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
    setFont(WindowFont());
    BuildMenus();
    BuildControls();

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    clockSeed_ = [] {
        return static_cast<std::uint64_t>(
            std::chrono::system_clock::now().time_since_epoch().count());
    };
    SetCaption(PracticeCaption());
    // The client area at design time. It never gets smaller than the figure
    // and the side panel need to keep clear of each other.
    area_->setMinimumSize(792, 540);
    resize(592, 554 + menuBar()->sizeHint().height());
    // Open maximized: a window manager maximizes the window as it maps it,
    // and without one it opens at the size of the screen.
    TakeScreen();
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

QWidget* CubeWindow::control(const QString& name) const {
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

QAction* CubeWindow::menuItem(const QString& name) const {
    const auto it = items_.find(name);
    return it == items_.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------------------
// Window description

QMenu* CubeWindow::AddMenu(QMenu* parent, const QString& name, const QString& caption) {
    QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    items_[name] = menu->menuAction();
    return menu;
}

QAction* CubeWindow::AddItem(QMenu* menu, const QString& name, const QString& caption,
                             void (CubeWindow::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    items_[name] = action;
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
    QMenu* options = AddMenu(nullptr, "options", "Options");
    AddItem(options, "newpuzzle", "New puzzle", &CubeWindow::newpuzzle_Click);
    AddItem(options, "loadpuzzle", "Load puzzle", &CubeWindow::loadpuzzle_Click);
    AddItem(options, "savepuzzle", "Save puzzle", &CubeWindow::savepuzzle_Click);
    AddItem(options, "savesettings", "Save settings", &CubeWindow::savesettings_Click);

    QMenu* solving = AddMenu(options, "solvingoptions", "Solving options");
    AddItem(solving, "usolve", "User solves cube (practice mode)", &CubeWindow::usolve_Click)
        ->setCheckable(true);
    AddItem(solving, "csolve", "Computer solves cube (press \"b\" for one move)",
            &CubeWindow::csolve_Click)
        ->setCheckable(true);
    AddItem(solving, "choosetime", "Choose minimum time taken to rotate cube",
            &CubeWindow::choosetime_Click);
    AddItem(solving, "gamemode", "Gamemode", &CubeWindow::gamemode_Click)->setCheckable(true);
    items_["usolve"]->setChecked(true);

    AddItem(options, "difficulty", "Choose difficulty", &CubeWindow::difficulty_Click);
    AddItem(options, "choosecolors", "Choose colors", &CubeWindow::choosecolors_Click);

    QMenu* sizes = AddMenu(options, "sizeofcube", "Size of cube");
    QMenu* larger = nullptr;
    for (int k = 2; k <= kMaxCubeSize; ++k) {
        QString caption = QString("%1 by %1 by %1").arg(k);
        if (k == 3) caption += " (standard)";
        if (k == 11) larger = AddMenu(sizes, "largersizes", "(Larger sizes)");
        QAction* item = AddItem(k <= 10 ? sizes : larger, QString("by%1").arg(k), caption);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, item, k] {
            item->setChecked(!item->isChecked());
            SizeItem_Click(k);
        });
    }
    items_["by2"]->setChecked(true);

    AddItem(options, "quit", "Quit", &CubeWindow::quit_Click);

    // The instructions are the menu itself: its items do nothing.
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

void CubeWindow::BuildControls() {
    auto place = [this](QWidget* w, const char* name, QRect rect, int fontPixels) {
        w->setObjectName(name);
        w->setGeometry(rect);
        w->setFont(ControlFont(fontPixels));
        w->hide();
        controls_[name] = w;
    };

    const LabelSpec labels[] = {
        {"Label1", "Number of times to mess up twistor cube:", Twips(120, 240, 2895, 255),
         QColor(0, 255, 0), kSmallFontPixels},
        {"Label2",
         "Please choose the six colors that will be used on each face of the twistor cube:",
         Twips(240, 240, 5535, 255), QColor(255, 0, 255), kSmallFontPixels},
        {"Label3",
         "Please enter the minimum time (in 10ths of a second) for the computer to rotate the "
         "cube:",
         Twips(120, 240, 6375, 255), QColor(255, 0, 255), kSmallFontPixels},
        {"Label4", "Number of cubes solved: 0", Twips(120, 2400, 3135, 255), QColor(0, 255, 255),
         kLargeFontPixels},
        {"Label5", "Difficulty level: 3", Twips(600, 3000, 2175, 255), QColor(128, 255, 255),
         kLargeFontPixels},
        {"Label6", "Please choose a user-defined puzzle to play:", Twips(120, 240, 3255, 255),
         QColor(255, 0, 255), kSmallFontPixels},
        {"Label7", "Please enter a name to save this puzzle as:", Twips(120, 240, 3135, 255),
         QColor(255, 0, 255), kSmallFontPixels},
    };
    for (const LabelSpec& l : labels) {
        auto* label = new QLabel(l.caption, area_);
        label->setAutoFillBackground(true);
        QPalette p = label->palette();
        p.setColor(QPalette::Window, l.background);
        p.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(p);
        place(label, l.name, l.rect, l.fontPixels);
        textPixels_[l.name] = l.fontPixels;
        FitLabel(label);
    }

    auto textBox = [&](const char* name, const char* text, QRect rect, int maxLength) {
        auto* box = new QLineEdit(text, area_);
        if (maxLength > 0) box->setMaxLength(maxLength);
        place(box, name, rect, kSmallFontPixels);
        return box;
    };
    textBox("Text1", "3", Twips(3000, 240, 375, 285), 2);
    place(new NumberBox("", 2, area_), "Text2", Twips(6480, 240, 375, 285), kSmallFontPixels);
    textBox("Text3", "", Twips(3360, 240, 1215, 270), 0);
    textBox("Text4", "", Twips(3240, 240, 1215, 270), 0);

    struct ButtonSpec {
        const char* name;
        const char* caption;
        QRect rect;
        void (CubeWindow::*handler)();
    };
    const ButtonSpec buttons[] = {
        {"Command1", "Done", Twips(240, 4080, 975, 495), &CubeWindow::Command1_Click},
        {"Command2", "Restore default colors", Twips(1800, 4080, 1215, 495),
         &CubeWindow::Command2_Click},
        {"Command3", "Done", Twips(120, 840, 975, 495), &CubeWindow::Command3_Click},
        {"Command4", "Make colors fluorescent", Twips(3600, 4080, 1215, 495),
         &CubeWindow::Command4_Click},
        {"Command5", "Done", Twips(120, 840, 975, 495), &CubeWindow::Command5_Click},
        {"Command6", "Start new cube", Twips(240, 480, 1455, 495), &CubeWindow::Command6_Click},
        {"Command7", "Quit playing", Twips(240, 1320, 1455, 495), &CubeWindow::Command7_Click},
        {"Command8", "Done", Twips(120, 1080, 1095, 495), &CubeWindow::Command8_Click},
        {"Command9", "Cancel", Twips(120, 1920, 1095, 495), &CubeWindow::Command9_Click},
        {"Command10", "Done", Twips(120, 1080, 1095, 495), &CubeWindow::Command10_Click},
        {"Command11", "Cancel", Twips(120, 1920, 1095, 495), &CubeWindow::Command11_Click},
    };
    for (const ButtonSpec& b : buttons) {
        auto* button = new WrapButton(b.caption, area_);
        place(button, b.name, b.rect, kSmallFontPixels);
        FitText(button, kSmallFontPixels);
        connect(button, &QPushButton::clicked, this,
                [this, handler = b.handler] { (this->*handler)(); });
    }

    for (const ColourBoxSpec& c : kColourBoxes) {
        auto* box = new ColourBox(area_);
        // The box shows its colour; start-up gives it.
        box->setAutoFillBackground(true);
        QPalette p = box->palette();
        p.setColor(QPalette::Window, QColor::fromRgb(PaletteRgb(c.colour)));
        p.setColor(QPalette::Button, QColor::fromRgb(PaletteRgb(c.colour)));
        box->setPalette(p);
        place(box, c.name, Twips(c.left, c.top, 1215, 495), kSmallFontPixels);
        colourBoxes_[c.colour] = box;
        connect(box, &QCheckBox::toggled, this, [this, box] { ColourBox_Click(box); });
    }

    auto fileList = [&](const char* name, QRect rect, void (CubeWindow::*handler)(const QString&)) {
        auto* list = new QListWidget(area_);
        place(list, name, rect, kSmallFontPixels);
        connect(list, &QListWidget::itemClicked, this,
                [this, handler](QListWidgetItem* item) { (this->*handler)(item->text()); });
    };
    fileList("File1", Twips(4440, 240, 1215, 870), &CubeWindow::File1_Click);
    fileList("File2", Twips(4560, 240, 1215, 870), &CubeWindow::File2_Click);

    controls_["Command3"]->installEventFilter(this);
}

// ---------------------------------------------------------------------------
// Small helpers

void CubeWindow::SetCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void CubeWindow::SetLabel(const QString& name, const std::string& text) {
    auto* label = static_cast<QLabel*>(control(name));
    label->setText(QString::fromStdString(text));
    FitLabel(label);
}

void CubeWindow::FitLabel(QLabel* label) {
    FitText(label, textPixels_[label->objectName()]);
}

bool CubeWindow::Visible(const QString& name) const {
    return !control(name)->isHidden();
}

void CubeWindow::Show(std::initializer_list<const char*> names, bool visible) {
    for (const char* n : names) control(n)->setVisible(visible);
}

void CubeWindow::SetLoadSaveEnabled(bool enabled) {
    items_["loadpuzzle"]->setEnabled(enabled);
    items_["savepuzzle"]->setEnabled(enabled);
}

void CubeWindow::SetOptionMenusEnabled(bool enabled) {
    for (const char* name : kPanelMenus) items_[name]->setEnabled(enabled);
}

void CubeWindow::SetSolver(int solveMode) {
    // A change of solver starts the scrambler's runs afresh.
    if (s_.modes.SolveMode != solveMode) ResetRunCounters();
    s_.modes.SolveMode = solveMode;
    items_["usolve"]->setChecked(solveMode == 0);
    items_["csolve"]->setChecked(solveMode == 1);
    items_["gamemode"]->setChecked(false);
    s_.modes.GameMode = 0;
    DrawPanel();
}

int CubeWindow::ChosenScrambleCount() const {
    return ScrambleCountFrom(static_cast<QLineEdit*>(control("Text1"))->text().toStdString());
}

void CubeWindow::ResetRunCounters() {
    s_.scrambler.ResetRun();
}

void CubeWindow::Repaint() {
    area_->update();
}

void CubeWindow::DrawPanel() {
    DrawSolvePanel(area_->canvas(), s_.modes.SolveMode == 1);
    Repaint();
}

void CubeWindow::ClearPanel() {
    ClearSidePanel(area_->canvas());
    Repaint();
}

void CubeWindow::DrawCubeNow() {
    if (area_->size() != laidOutFor_) LayOutAgain();
    DrawCube(area_->canvas(), s_.cube, s_.view, s_.layout);
    Repaint();
}

// The window has a new size: the figure follows it, with the depth it had (a
// loaded puzzle's is half the face), and so does the right band, shown or
// not. The side panel and the left band keep their places.
void CubeWindow::LayOutAgain() {
    Canvas& canvas = area_->canvas();
    const QRect oldBand =
        canvas.RightBandShown().isValid() ? canvas.RightBandShown() : kRightBandArea;
    const bool bandShown = SolvedBandShown(canvas, oldBand);
    const int n = s_.cube.CubeSize();
    const bool halfDepth = s_.layout.DepthSpan == s_.layout.FaceSpan / 2.0;
    s_.layout = ComputeLayout(n, area_->width(), area_->height());
    if (halfDepth) ApplyLoadedSize(s_.layout, n);
    laidOutFor_ = area_->size();

    const QRegion rest =
        QRegion(0, 0, canvas.Width(), canvas.Height()) - kSidePanelArea - kLeftBandArea;
    for (const QRect& r : rest) canvas.FillRect(r.left(), r.top(), r.right(), r.bottom(), 0);
    canvas.SetFigureArea(QRect());
    const QRect figure = FigureBounds(s_.layout);
    canvas.SetRightBandShown(RightBandArea(figure));
    if (bandShown) ShowSolvedBands(canvas, RightBandArea(figure), figure);
}

void CubeWindow::Maximize() {
    if (fixedArea_) return;
    // A window with a frame has a window manager, which maximizes it; one
    // without is given the screen by hand. Nothing waits for the new size:
    // the next drawing of the cube lays it out for the size the window has.
    if (!isMaximized() && frameGeometry() == geometry()) TakeScreen();
    showMaximized();
}

void CubeWindow::TakeScreen() {
    // Placed by its frame, so that a window manager that restores the
    // window to this size keeps its title bar on the screen.
    if (!screen()) return;
    const QRect available = screen()->availableGeometry();
    resize(available.size());
    move(available.topLeft());
}

void CubeWindow::ShowMessage(const QString& text) {
    // Not modal: the game goes on while the note is shown.
    lastMessage_ = text;
    auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box->setObjectName("Message");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

// ---------------------------------------------------------------------------
// Events

void CubeWindow::closeEvent(QCloseEvent* event) {
    RequestQuit(0);
    event->accept();
}

bool CubeWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this || QApplication::activePopupWidget()) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (s_.panels.PanelOpen == 0) {
        // With no panel open every key is the cube's, whichever control
        // Qt would give it to.
        Form_KeyDown(key->key());
        return true;
    }
    if (watched == controls_["Command3"]) {
        Command3_KeyDown();
        return true;
    }
    return false;
}

void CubeWindow::Timer1_Timer() {
    s_.mail.TimerTick = 1;
}

void CubeWindow::Form_MouseDown(int button, double x, double y) {
    if (s_.panels.OpenPanel != 0) return;
    if (Visible("Command6")) return;  // a finished game cube waits for "Start new cube"
    const bool inBoxColumn = x >= 32 && x <= 113;
    if (inBoxColumn && s_.modes.GameMode != 1) {
        if (y >= 32 && y <= 65) return SetSolver(0);
        if (y >= 96 && y <= 129) return SetSolver(1);
    }
    if (s_.panels.PanelOpen != 1 && s_.modes.SolveMode == 0) {
        s_.mail.ClickX = x;
        s_.mail.ClickY = y;
        s_.mail.ClickPending = 1;
        s_.mail.ClickButton = button;
    }
}

void CubeWindow::Form_Resize() {
    // The loop leaves its wait and draws the cube, laid out for the new size.
    if (laidOutFor_.isValid() && area_->size() != laidOutFor_) s_.mail.ViewKeyFlag = 1;
}

void CubeWindow::Form_KeyDown(int keyCode) {
    if (s_.modes.SolveMode != 0 || s_.panels.PanelOpen == 1) return;
    if (keyCode == Qt::Key_B) {
        if (s_.modes.GameMode == 1) return;
        SetSolver(1);
        s_.modes.StepMode = 1;
        return;
    }
    static const std::map<int, CubeKey> kTurns = {
        {Qt::Key_Left, CubeKey::Left}, {Qt::Key_Up, CubeKey::Up}, {Qt::Key_Right, CubeKey::Right},
        {Qt::Key_Down, CubeKey::Down}, {Qt::Key_R, CubeKey::R},   {Qt::Key_T, CubeKey::T}};
    const auto turn = kTurns.find(keyCode);
    if (turn == kTurns.end()) return;
    s_.view = TurnWholeCube(s_.view, turn->second);
    s_.mail.ViewKeyFlag = 1;
}

}  // namespace twistor
