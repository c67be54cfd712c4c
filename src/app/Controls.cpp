// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Controls.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

#include "app/Captions.h"
#include "app/Widgets.h"
#include "render/Palette.h"

namespace twistor {

namespace {

void Place(QWidget* w, const char* name, int fontPixels) {
    w->setObjectName(name);
    w->setFont(ControlFont(fontPixels));
    w->hide();
}

FittingLabel* Label(QWidget* area, const char* name, const char* text, QRect place,
                    QColor background, int fontPixels) {
    auto* label = new FittingLabel(text, fontPixels, area);
    label->setGeometry(place);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(p);
    Place(label, name, fontPixels);
    label->SetText(text);
    return label;
}

QLineEdit* TextBox(QWidget* area, const char* name, const char* text, QRect place, int maxLength) {
    auto* box = new QLineEdit(text, area);
    if (maxLength > 0) box->setMaxLength(maxLength);
    box->setGeometry(place);
    Place(box, name, kControlFontPixels);
    return box;
}

QPushButton* Button(QWidget* area, const char* name, const char* caption, QRect place) {
    auto* button = new WrapButton(caption, area);
    button->setGeometry(place);
    Place(button, name, kControlFontPixels);
    FitText(button, kControlFontPixels);
    return button;
}

QListWidget* FileList(QWidget* area, const char* name, QRect place) {
    auto* list = new QListWidget(area);
    list->setGeometry(place);
    Place(list, name, kControlFontPixels);
    list->setAccessibleName("Saved puzzles");
    return list;
}

struct ColourBoxPlace {
    const char* name;
    int colour;
    int left;
    int top;
};

// The fourteen colour boxes in their grid, row by row.
constexpr ColourBoxPlace kColourBoxPlaces[] = {
    {"Check35", 1, 16, 72},    {"Check37", 3, 120, 72},   {"Check36", 2, 224, 72},
    {"Check38", 4, 328, 72},   {"Check39", 5, 432, 72},   {"Check42", 9, 16, 136},
    {"Check43", 10, 120, 136}, {"Check44", 11, 224, 136}, {"Check45", 12, 328, 136},
    {"Check46", 13, 432, 136}, {"Check1", 14, 16, 200},   {"Check2", 15, 120, 200},
    {"Check3", 6, 224, 200},   {"Check4", 8, 328, 200},
};
static_assert(std::size(kColourBoxPlaces) == std::tuple_size_v<decltype(Controls::colourBoxes)>,
              "a place for every colour box, and a box for every place");

ColourBox* ColourCheckBox(QWidget* area, const ColourBoxPlace& c) {
    auto* box = new ColourBox(area);
    // The box shows its colour.
    box->setAutoFillBackground(true);
    QPalette p = box->palette();
    p.setColor(QPalette::Window, QColor::fromRgb(PaletteRgb(c.colour)));
    p.setColor(QPalette::Button, QColor::fromRgb(PaletteRgb(c.colour)));
    box->setPalette(p);
    box->setGeometry(c.left, c.top, 81, 33);
    Place(box, c.name, kControlFontPixels);
    box->setAccessibleName(QString::fromUtf8(
        kColourNames[c.colour].data(), static_cast<qsizetype>(kColourNames[c.colour].size())));
    return box;
}

}  // namespace

Controls CreateControls(QWidget* area) {
    const QColor green(0, 255, 0), magenta(255, 0, 255), cyan(0, 255, 255), paleCyan(128, 255, 255);
    Controls c{};
    c.Label1 =
        Label(area, "Label1", "Number of times to mess up twistor cube:", QRect(8, 16, 193, 17),
              green, kControlFontPixels);
    c.Label2 = Label(area, "Label2",
                     "Please choose the six colors that will be used on each face of the "
                     "twistor cube:",
                     QRect(16, 16, 369, 17), magenta, kControlFontPixels);
    c.Label3 = Label(area, "Label3",
                     "Please enter the minimum time (in 10ths of a second) for the computer to "
                     "rotate the cube:",
                     QRect(8, 16, 425, 17), magenta, kControlFontPixels);
    c.Label4 = Label(area, "Label4", "Number of cubes solved: 0", QRect(8, 160, 209, 17), cyan,
                     kGameLabelFontPixels);
    c.Label5 = Label(area, "Label5", "Difficulty level: 3", QRect(40, 200, 145, 17), paleCyan,
                     kGameLabelFontPixels);
    c.Label6 =
        Label(area, "Label6", "Please choose a user-defined puzzle to play:", QRect(8, 16, 217, 17),
              magenta, kControlFontPixels);
    c.Label7 =
        Label(area, "Label7", "Please enter a name to save this puzzle as:", QRect(8, 16, 209, 17),
              magenta, kControlFontPixels);

    c.Text1 = TextBox(area, "Text1", "3", QRect(200, 16, 25, 19), 2);
    c.Text2 = new NumberBox("", 2, area);
    c.Text2->setGeometry(432, 16, 25, 19);
    Place(c.Text2, "Text2", kControlFontPixels);
    c.Text3 = TextBox(area, "Text3", "", QRect(224, 16, 81, 18), 0);
    c.Text4 = TextBox(area, "Text4", "", QRect(216, 16, 81, 18), 0);

    c.Command1 = Button(area, "Command1", "Done", QRect(16, 272, 65, 33));
    c.Command2 = Button(area, "Command2", "Restore default colors", QRect(120, 272, 81, 33));
    c.Command3 = Button(area, "Command3", "Done", QRect(8, 56, 65, 33));
    c.Command4 = Button(area, "Command4", "Make colors fluorescent", QRect(240, 272, 81, 33));
    c.Command5 = Button(area, "Command5", "Done", QRect(8, 56, 65, 33));
    c.Command6 = Button(area, "Command6", "Start new cube", QRect(16, 32, 97, 33));
    c.Command7 = Button(area, "Command7", "Quit playing", QRect(16, 88, 97, 33));
    c.Command8 = Button(area, "Command8", "Done", QRect(8, 72, 73, 33));
    c.Command9 = Button(area, "Command9", "Cancel", QRect(8, 128, 73, 33));
    c.Command10 = Button(area, "Command10", "Done", QRect(8, 72, 73, 33));
    c.Command11 = Button(area, "Command11", "Cancel", QRect(8, 128, 73, 33));

    for (std::size_t i = 0; i < std::size(kColourBoxPlaces); ++i) {
        const ColourBoxPlace& place = kColourBoxPlaces[i];
        c.colourBoxes[i] = ColourChoice{place.colour, ColourCheckBox(area, place)};
    }
    std::sort(c.colourBoxes.begin(), c.colourBoxes.end(),
              [](const ColourChoice& a, const ColourChoice& b) { return a.colour < b.colour; });

    c.File1 = FileList(area, "File1", QRect(296, 16, 81, 58));
    c.File2 = FileList(area, "File2", QRect(304, 16, 81, 58));

    // A text box is known by its prompt.
    c.Label1->setBuddy(c.Text1);
    c.Label3->setBuddy(c.Text2);
    c.Label6->setBuddy(c.Text3);
    c.Label7->setBuddy(c.Text4);
    // Tab goes through a panel as it is laid out: the text box and the list
    // beside it, the colours row by row, then the buttons below.
    std::vector<QWidget*> order = {c.Text1, c.Command3, c.Text2,     c.Command5,
                                   c.Text3, c.File2,    c.Command8,  c.Command9,
                                   c.Text4, c.File1,    c.Command10, c.Command11};
    for (ColourBox* box : c.ColourBoxesInGridOrder()) order.push_back(box);
    order.insert(order.end(), {c.Command1, c.Command2, c.Command4, c.Command6, c.Command7});
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    return c;
}

std::vector<QWidget*> Controls::DifficultyPanel() const {
    return {Label1, Text1, Command3};
}
std::vector<QWidget*> Controls::TurnTimePanel() const {
    return {Label3, Text2, Command5};
}
std::vector<QWidget*> Controls::ColourPanelWords() const {
    return {Label2, Command1, Command2, Command4};
}
std::vector<QWidget*> Controls::SavePanel() const {
    return {Label7, Text4, File1, Command10, Command11};
}
std::vector<QWidget*> Controls::LoadPanel() const {
    return {Label6, Text3, File2, Command8, Command9};
}
std::vector<QWidget*> Controls::GameLabels() const {
    return {Label4, Label5};
}
std::vector<QWidget*> Controls::GameButtons() const {
    return {Command6, Command7};
}

std::vector<ColourBox*> Controls::ColourBoxesInGridOrder() const {
    std::vector<ColourBox*> boxes;
    for (const ColourBoxPlace& place : kColourBoxPlaces) boxes.push_back(BoxOf(place.colour));
    return boxes;
}

ColourBox* Controls::BoxOf(int colour) const {
    for (const ColourChoice& b : colourBoxes) {
        if (b.colour == colour) return b.box;
    }
    return nullptr;
}

void SetVisible(const std::vector<QWidget*>& widgets, bool visible) {
    for (QWidget* w : widgets) w->setVisible(visible);
}

}  // namespace twistor
