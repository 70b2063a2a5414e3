#pragma once

// Builds the sound editor's parameter pages from the ParameterMap: one tab per
// map tab, one group box per map group, one control per row (with its "R"
// button when the row has one), laid out in a grid per group box that
// follows the font, so every caption and value stays readable.

#include "editor/ParameterMapLive.h"

#include <QHash>
#include <QString>

#include <array>
#include <string_view>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QObject;
class QPushButton;
class QTabWidget;
class QWidget;

namespace sondrake::controls {
class Knob;
class Slider;
}

namespace sondrake::editor {

// One row of the map with the widgets built for it. Exactly one of knob,
// slider, list and check is set, matching the row's kind. The control, its
// label and its "R" button share a small cell widget inside the group box.
struct ControlRow {
    const ParameterEntry* entry = nullptr;
    QWidget* widget = nullptr;
    controls::Knob* knob = nullptr;
    controls::Slider* slider = nullptr;
    QComboBox* list = nullptr;
    QCheckBox* check = nullptr;
    QLabel* label = nullptr; // the label the editor adds (sliders and lists)
    QPushButton* rButton = nullptr; // BitBtn<n>, or nullptr
    QGroupBox* group = nullptr;
};

class ParameterPages {
public:
    std::vector<ControlRow> rows; // in map order
    std::array<QPushButton*, 100> rButtons {}; // [n] = BitBtn<n>, n = 1..99
    std::vector<QGroupBox*> groups;
    std::vector<QWidget*> pages; // one per tab, in tab order

    const ControlRow* rowFor(const QObject* control) const;
    const ControlRow* rowFor(std::string_view controlName) const;
    const ControlRow* rowFor(const ParameterEntry* entry) const;

    void index(); // (re)builds the look-up tables after rows changed

private:
    QHash<const QObject*, int> m_byObject;
    QHash<QString, int> m_byName;
    QHash<const ParameterEntry*, int> m_byEntry;
};

// Fills `tabs` with the parameter pages (tab texts are the map's tab names)
// and `pages` with every widget made, sized for the font of `tabs`. Every
// control is named for screen readers by its group and label ("Oscillator 1
// Semitone").
void buildParameterPages(QTabWidget* tabs, ParameterPages& pages);

// The text shown beside a control: the row's caption, or for the lists and
// sliders (which carry none) its short name.
QString displayLabel(const ParameterEntry& entry);
// The name screen readers give a control: its group and its label.
QString accessibleLabel(const ParameterEntry& entry);

// "&" doubled, for widgets that read "&" as a mnemonic mark.
QString literalText(std::string_view text);

} // namespace sondrake::editor
