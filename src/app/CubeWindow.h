#pragma once

#include <QMainWindow>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/EventPump.h"
#include "app/GameState.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;

namespace twistor {

class DrawingArea;

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

    // Controls and menu items by name.
    QWidget* control(const QString& name) const;
    QAction* menuItem(const QString& name) const;
    QTimer* timer() const { return Timer1; }
    // The last note shown to the player (a refused file, a failed save).
    QString lastMessage() const { return lastMessage_; }

    // Handlers (public so that the driver and tests can see what they are;
    // the window wires them to its controls).
    void Form_MouseDown(int button, double x, double y);
    void Form_Resize();
    void Form_KeyDown(int keyCode);
    void Timer1_Timer();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Window description.
    void BuildMenus();
    void BuildControls();
    QAction* AddItem(QMenu* menu, const QString& name, const QString& caption,
                     void (CubeWindow::*handler)() = nullptr);
    QMenu* AddMenu(QMenu* parent, const QString& name, const QString& caption);

    // Main loop.
    void StartUp();
    void ReadSettingsAtStartUp();
    void NewCubeBlock();
    void RunPass(int entryStep);
    enum class ClickOutcome { NoSquare, Dropped, Moved };
    ClickOutcome ClickStep();
    void ComputerStep();
    void EndSingleComputerMove();
    void SolvedStep();
    void ClearBands();
    void SolvedMoment();
    void ColourBoxStep();
    void Maximize();
    void TakeScreen();
    void Redraw();
    void Pump(EventPump::Wait wait);

    // Drawing helpers.
    void DrawCubeNow();
    void LayOutAgain();
    void DrawPanel();
    void ClearPanel();
    void Repaint();

    // Shared panel steps.
    void OpenPanelSteps(int code);
    void ClosePanelSteps();
    void SetLoadSaveEnabled(bool enabled);
    void SetOptionMenusEnabled(bool enabled);
    // Practice (0) or computer (1) solving, outside game mode.
    void SetSolver(int solveMode);
    void ResetRunCounters();
    void SetCaption(const std::string& caption);
    void SetLabel(const QString& name, const std::string& text);
    void FitLabel(QLabel* label);
    bool Visible(const QString& name) const;
    void Show(std::initializer_list<const char*> names, bool visible);

    // Menu handlers.
    void newpuzzle_Click();
    void loadpuzzle_Click();
    void savepuzzle_Click();
    void savesettings_Click();
    void usolve_Click();
    void csolve_Click();
    void LeaveGameFor(int solveMode);
    int ChosenScrambleCount() const;
    bool TakePuzzleName(const char* box, std::string& fileName);
    void ClosePuzzlePanel(std::initializer_list<const char*> controls);
    void choosetime_Click();
    void gamemode_Click();
    void difficulty_Click();
    void choosecolors_Click();
    void quit_Click();
    void SizeItem_Click(int size);

    // Control handlers.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command3_KeyDown();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void ColourBox_Click(QCheckBox* box);
    void ApplyPreset(const std::array<int, 6>& set);
    void File1_Click(const QString& entry);
    void File2_Click(const QString& entry);

    void ShowMessage(const QString& text);

    GameState s_;
    DrawingArea* area_ = nullptr;
    QTimer* Timer1 = nullptr;
    std::map<QString, QWidget*> controls_;
    std::map<QString, QAction*> items_;
    std::map<int, QCheckBox*> colourBoxes_;  // by colour number
    std::map<QString, int> textPixels_;      // each label's usual text size
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
