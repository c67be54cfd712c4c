// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Controls.h"
#include "app/EventPump.h"

class QAction;
class QMenu;
class QTimer;

namespace twistor::storage {
struct Puzzle;
}

namespace twistor {

class DrawingArea;
struct GameState;
struct KeyBinding;
enum class KeyAction;
struct SolvedNews;
enum class CubeKey;
enum class Panel;
enum class Solver;

// One menu item for each size from 2 to 20, at its size.
inline constexpr int kSizeItems = 21;

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
    std::array<QAction*, kSizeItems> bySize;  // "by2".."by20" at their sizes
};

// The game's one window. Its main loop (Run) owns the game; the event
// handlers only set state and flags for the loop, and redraw the side panel
// where they change what it shows. The window's controls follow the game
// state; no rule reads what a control happens to show.
class CubeWindow : public QMainWindow {
  public:
    explicit CubeWindow(QWidget* parent = nullptr);
    ~CubeWindow() override;

    // Runs start-up, the first cube and the main loop until the game ends.
    // Returns the exit status.
    int Run();

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
    void OnAreaPress(int button, double x, double y);
    void OnAreaResize();
    void OnKey(KeyAction action);
    void OnTurnTimer();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Building the window (CubeWindow.cpp).
    void BuildMenus();
    void BuildSizeMenu(QMenu* sizes);
    void BuildInstructionsMenu();
    void WireControls();
    QAction* AddItem(QMenu* menu, const QString& name, const QString& caption);
    QMenu* AddMenu(QMenu* parent, const QString& name, const QString& caption);

    // The main loop (MainLoop.cpp).
    enum class Entry { Top, AfterLayOut };
    enum class Stage { Wait, Draw, Finish };
    void StartUp();
    void ReadSettingsAtStartUp();
    void NewCubeBlock();
    void RunPass(Entry entry);
    Stage ScrambleStage();
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
    void ShowGameControls();
    bool TakesClicks() const;
    void RecordClick(int button, double x, double y);
    void SetLoadSaveEnabled(bool enabled);
    void SetOptionMenusEnabled(bool enabled);
    void CheckSizeItem(int size);
    void ShowMessage(const QString& text);
    int ChosenScrambleCount() const;

    // The keyboard (KeyHandlers.cpp).
    void TurnView(CubeKey key);
    void MoveCursor(int dx, int dy);
    void ClickCursorLine(int button, int column, int row);
    void HideCursor();
    void OpenMenus();
    bool OnPanelKey(QWidget* widget, int key, const KeyBinding* binding);
    // The open panel's "Done" and its "Cancel" (null where it has none).
    std::pair<QPushButton*, QPushButton*> PanelButtons() const;

    // Solving modes, game mode and new cubes (ModeHandlers.cpp).
    void SetSolver(Solver solver);
    void LeaveGameFor(Solver solver);
    void ChooseUserSolves();
    void ChooseComputerSolves();
    void StartGameMode();
    void NewPuzzle();
    void Quit();
    void ChooseSize(int size);
    void StartNewGameCube();
    void QuitPlaying();

    // The option panels (PanelHandlers.cpp).
    void OpenPanelSteps(Panel panel);
    void ClosePanelSteps();
    void OpenDifficultyPanel();
    void OpenTurnTimePanel();
    void OpenColourPanel();
    void FinishDifficultyPanel();
    void HandKeysBackToCube();
    void FinishTurnTimePanel();
    void FinishColourPanel();
    void RestoreDefaultColours();
    void MakeColoursFluorescent();
    void CountColourBox(ColourBox* box);
    void ApplyPreset(const std::array<int, 6>& set);

    // Settings and puzzle files (FileHandlers.cpp).
    void SaveSettings();
    void OpenSavePanel();
    void OpenLoadPanel();
    bool TakePuzzleName(const QLineEdit* box, std::string& fileName);
    void ClosePuzzlePanel(const std::vector<QWidget*>& panel);
    void ApplyPuzzle(const storage::Puzzle& puzzle);
    void PickSaveName(const QString& entry);
    void PickLoadName(const QString& entry);
    void FinishLoadPanel();
    void CancelLoadPanel();
    void FinishSavePanel();
    void CancelSavePanel();

    std::unique_ptr<GameState> state_;
    GameState& s_;
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
