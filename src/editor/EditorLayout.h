#pragma once

// Builds the sound editor's parameter pages from the ParameterMap: one tab per
// map tab, one group box per map group, one control per row (with its "R"
// button when the row has one), all placed so that every caption and value
// stays readable at the editor's fixed size.

#include "editor/ParameterMap.h"

#include <QHash>
#include <QRect>
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
class TKnob;
class TSlider;
}

namespace sondrake::editor {

// One row of the map with the widgets built for it. Exactly one of knob,
// slider, list and check is set, matching the row's kind.
struct ControlRow {
    const ParameterEntry* entry = nullptr;
    QWidget* widget = nullptr;
    controls::TKnob* knob = nullptr;
    controls::TSlider* slider = nullptr;
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
    QHash<const QObject*, int> byObject_;
    QHash<QString, int> byName_;
    QHash<const ParameterEntry*, int> byEntry_;
};

// Fills `tabs` with the parameter pages (tab texts are the map's tab names)
// and `pages` with every widget made. `pageSize` is the usable size of one
// page. Throws std::runtime_error when a row names an unknown group or a
// control or "R" button twice, or when a group does not fit its page.
void buildParameterPages(QTabWidget* tabs, QSize pageSize, ParameterPages& pages);

// The text shown beside a control: the row's caption, or for the lists and
// sliders (which carry none) a short name of the parameter.
QString displayLabel(const ParameterEntry& entry);

// "&" doubled, for widgets that read "&" as a mnemonic mark.
QString literalText(std::string_view text);

} // namespace sondrake::editor
