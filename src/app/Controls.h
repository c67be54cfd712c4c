// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace twistor {

class ColourBox;
class FittingLabel;
class NumberBox;

// A colour box of the colour panel and the palette colour it stands for.
struct ColourChoice {
    int colour;
    ColourBox* box;
};

// The controls on the drawing area, each under the object name that scripts
// and tests use. All start hidden; the panels and game mode show them.
struct Controls {
    FittingLabel* Label1;    // difficulty panel: "Number of times to mess up..."
    FittingLabel* Label2;    // colour panel
    FittingLabel* Label3;    // rotation-time panel
    FittingLabel* Label4;    // game mode: "Number of cubes solved: ..."
    FittingLabel* Label5;    // game mode: "Difficulty level: ..."
    FittingLabel* Label6;    // load panel
    FittingLabel* Label7;    // save panel
    QLineEdit* Text1;        // the scramble count
    NumberBox* Text2;        // the rotation time
    QLineEdit* Text3;        // the name of the puzzle to load
    QLineEdit* Text4;        // the name to save the puzzle as
    QPushButton* Command1;   // colour panel: "Done"
    QPushButton* Command2;   // colour panel: "Restore default colors"
    QPushButton* Command3;   // difficulty panel: "Done"
    QPushButton* Command4;   // colour panel: "Make colors fluorescent"
    QPushButton* Command5;   // rotation-time panel: "Done"
    QPushButton* Command6;   // game mode: "Start new cube"
    QPushButton* Command7;   // game mode: "Quit playing"
    QPushButton* Command8;   // load panel: "Done"
    QPushButton* Command9;   // load panel: "Cancel"
    QPushButton* Command10;  // save panel: "Done"
    QPushButton* Command11;  // save panel: "Cancel"
    QListWidget* File1;      // save panel: the puzzle files here
    QListWidget* File2;      // load panel: the puzzle files here
    // The fourteen colour boxes in ascending colour order: the order in
    // which "Done" takes the chosen set.
    std::array<ColourChoice, 14> colourBoxes;

    // The controls of each panel and of game mode, shown and hidden together.
    std::vector<QWidget*> DifficultyPanel() const;
    std::vector<QWidget*> TurnTimePanel() const;
    std::vector<QWidget*> ColourPanelWords() const;  // without the boxes
    std::vector<QWidget*> SavePanel() const;
    std::vector<QWidget*> LoadPanel() const;
    std::vector<QWidget*> GameLabels() const;
    std::vector<QWidget*> GameButtons() const;

    ColourBox* BoxOf(int colour) const;  // null for a colour without a box
    // The colour boxes as they stand in their grid, row by row: the order
    // in which Tab goes through them.
    std::vector<ColourBox*> ColourBoxesInGridOrder() const;
};

// Creates the controls on `area`, laid out in pixels, hidden.
Controls CreateControls(QWidget* area);

void SetVisible(const std::vector<QWidget*>& widgets, bool visible);

}  // namespace twistor
