#pragma once

#include <QMainWindow>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "app/Controls.h"
#include "app/EventPump.h"
#include "app/GameState.h"

class QAction;
class QMenu;
class QTimer;

namespace twistor::storage {
struct Puzzle;
}

namespace twistor {

class DrawingArea;

// The menu items the handlers change, by their object names.
struct MenuItems {
    QAction* newpuzzle;
    QAction* loadpuzzle;
    QAction* savepuzzle;
    QAction* savesettings;
    QAction* solvingoptions;
    QAction* usolve;
    QAction* csolve;
    QAction* choosetime;
    QAction* gamemode;
    QAction* difficulty;
    QAction* choosecolors;
    QAction* quit;
    std::array<QAction*, kMaxCubeSize + 1> bySize;  // "by2".."by20" at their sizes
};

// The game's one window. Its main loop (Form_Activate) owns the game; the
// event handlers only set state and flags for the loop, and redraw the side
// panel where they change what it shows.
class CubeWindow : public QMainWindow {
  public:
    explicit CubeWindow(QWidget* parent = nullptr);
    ~CubeWindow() override;

    // Runs start-up, the first cube and the main loop until the game ends.
    // Returns the exit status.
    int Form_Activate();

    // A driver's hooks: the event pump, a fixed drawing area instead of a
    // maximized window, and where clock seeds come from.
    void SetEventPump(EventPump* pump) { pump_ = pump; }
    void SetFixedArea(int width, int height);
    void SetClockSeed(std::function<std::uint64_t()> seed) { clockSeed_ = std::move(seed); }
    // Ends the main loop at its next pump point.
    void RequestQuit(int status = 0);
    bool QuitRequested() const { return quit_; }

    GameState& state() { return s_; }
    const GameState& state() const { return s_; }
    DrawingArea* area() const { return area_; }
    const Controls& controls() const { return c_; }
    // A menu or menu item by its object name; null if there is none.
    QAction* menuItem(const QString& name) const;
    QTimer* timer() const { return Timer1; }
    // The last note shown to the player (a refused file, a failed save).
    QString lastMessage() const { return lastMessage_; }

    // The input handlers, as the window's events call them.
    void Form_MouseDown(int button, double x, double y);
    void Form_Resize();
    void Form_KeyDown(int keyCode);
    void Timer1_Timer();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Building the window (CubeWindow.cpp).
    void BuildMenus();
    void BuildSizeMenu(QMenu* sizes);
    void BuildInstructionsMenu();
    void WireControls();
    QAction* AddItem(QMenu* menu, const QString& name, const QString& caption,
                     void (CubeWindow::*handler)() = nullptr);
    QMenu* AddMenu(QMenu* parent, const QString& name, const QString& caption);

    // The main loop (MainLoop.cpp).
    enum class Entry { Top, AfterLayOut };
    enum class Stage { Wait, Draw, Finish };
    void StartUp();
    void ReadSettingsAtStartUp();
    void NewCubeBlock();
    void RunPass(Entry entry);
    Stage ScrambleStage();
    Stage WaitStage();
    void WaitForInput();
    void WaitForTurnTime();
    Stage ActOnInput();
    void FinishPass(Stage stage);
    enum class ClickOutcome { NoSquare, Dropped, Moved };
    ClickOutcome ClickStep();
    void ComputerStep();
    void EndSingleComputerMove();
    void SolvedStep();
    void ShowSolvedNews(const SolvedNews& news);
    void ColourBoxStep();
    void Pump(EventPump::Wait wait);

    // Drawing and window helpers (CubeWindow.cpp).
    void DrawCubeNow();
    void LayOutAgain();
    void DrawPanel();
    void ClearPanel();
    void ClearBands();
    void Repaint();
    void Maximize();
    void TakeScreen();
    void SetCaption(const std::string& caption);
    void SetLabel(FittingLabel* label, const std::string& text);
    void ShowGameCounts();
    bool ButtonsShown() const;
    void SetLoadSaveEnabled(bool enabled);
    void SetOptionMenusEnabled(bool enabled);
    void CheckSizeItem(int size);
    void ShowMessage(const QString& text);
    int ChosenScrambleCount() const;

    // Solving modes, game mode and new cubes (ModeHandlers.cpp).
    void SetSolver(Solver solver);
    void LeaveGameFor(Solver solver);
    void usolve_Click();
    void csolve_Click();
    void gamemode_Click();
    void newpuzzle_Click();
    void quit_Click();
    void SizeItem_Click(int size);
    void Command6_Click();
    void Command7_Click();

    // The option panels (PanelHandlers.cpp).
    void OpenPanelSteps(Panel panel);
    void ClosePanelSteps();
    void difficulty_Click();
    void choosetime_Click();
    void choosecolors_Click();
    void Command3_Click();
    void Command3_KeyDown();
    void Command5_Click();
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
    void ColourBox_Click(ColourBox* box);
    void ApplyPreset(const std::array<int, 6>& set);

    // Settings and puzzle files (FileHandlers.cpp).
    void savesettings_Click();
    void savepuzzle_Click();
    void loadpuzzle_Click();
    bool TakePuzzleName(const QLineEdit* box, std::string& fileName);
    void ClosePuzzlePanel(const std::vector<QWidget*>& panel);
    void ApplyPuzzle(const storage::Puzzle& puzzle);
    void File1_Click(const QString& entry);
    void File2_Click(const QString& entry);
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();

    GameState s_;
    DrawingArea* area_ = nullptr;
    Controls c_{};
    MenuItems items_{};
    QTimer* Timer1 = nullptr;
    QtEventPump qtPump_;
    EventPump* pump_ = &qtPump_;
    std::function<std::uint64_t()> clockSeed_;
    QString lastMessage_;
    QSize laidOutFor_;  // the drawing area's size when the cube was laid out
    bool fixedArea_ = false;
    bool quit_ = false;
    int exitStatus_ = 0;
};

}  // namespace twistor
