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

protected:
    void changeEvent(QEvent* event) override;

private:
    // Writes every track bar's position into its value label.
    void onToleranceChanged();

    QSlider* m_listToleranceBar = nullptr;
    QSlider* m_otherKnobToleranceBar = nullptr;
    QSlider* m_semitoneToleranceBar = nullptr;
    QSlider* m_detuneToleranceBar = nullptr;
    QLabel* m_listToleranceValue = nullptr;
    QLabel* m_otherKnobToleranceValue = nullptr;
    QLabel* m_semitoneToleranceValue = nullptr;
    QLabel* m_detuneToleranceValue = nullptr;
    QLabel* m_noteLabel = nullptr;
    QPushButton* m_createButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

} // namespace sondrake::editor
