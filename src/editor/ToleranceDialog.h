#pragma once

// "Create Schema Parameters": asks for the four tolerances a schema built
// from the current sound uses. Each track bar runs 0..64 and shows its
// position in its value label.

#include "editor/SchemaTolerances.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QSlider;

namespace sondrake::editor {

class ToleranceDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kMaxTolerance = 64;

    explicit ToleranceDialog(QWidget* parent = nullptr);

    // The track bars' positions (each cut to 0..64 when set).
    SchemaTolerances tolerances() const;
    void setTolerances(const SchemaTolerances& tolerances);

    // handlers
    // Writes every track bar's position into its value label.
    void onToleranceChanged();
    void FormActivate();

    QSlider* trbComboBoxTolerance = nullptr;
    QSlider* trbOtherKnobTolerance = nullptr;
    QSlider* trbSemitoneTolerance = nullptr;
    QSlider* trbDetuneTolerance = nullptr;
    QLabel* lblComboBoxTolerance = nullptr;
    QLabel* lblOtherKnobTolerance = nullptr;
    QLabel* lblSemitoneTolerance = nullptr;
    QLabel* lblDetuneTolerance = nullptr;
    QLabel* lblNote = nullptr;
    QPushButton* btnCreate = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    void changeEvent(QEvent* event) override;
};

} // namespace sondrake::editor
