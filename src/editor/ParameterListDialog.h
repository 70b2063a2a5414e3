#pragma once

// "Parameter List View": the check list of every value of one schema
// parameter, in which the user ticks the values the randomizer may choose.
// Its result is one "0"/"1" flag per row; the caller stores it only when the
// dialog was closed with "Ok".

#include "parametermap/ParameterMap.h"

#include <QDialog>
#include <QString>

class QKeyEvent;
class QListWidget;
class QPushButton;

namespace sondrake::editor {

class ParameterListDialog : public QDialog {
    Q_OBJECT

public:
    explicit ParameterListDialog(QWidget* parent = nullptr);
    ~ParameterListDialog() override;

    // "1" for every ticked row from the top, "0" for the others; built when
    // the dialog closes, by whatever way.
    const QString& resultText() const { return m_resultText; }
    // The flags of the rows as they are now.
    QString checkedText() const;

    // handlers
    void onSelectAllValues();
    void onInvert(); // Invert
    void onSelectTo(); // Select to
    void onSelectFrom(); // Select from
    void FormCloseQuery();
    void FormKeyUp(QKeyEvent* event);

    QListWidget* CheckListBox1 = nullptr;
    QPushButton* btnSelectAll = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button1 = nullptr; // Ok

    void done(int result) override;

private:
    // Every key of the dialog, once, before its focused control: true keeps it from the control.
    bool onWindowKey(QKeyEvent* event);
    // The highlighted row, or -1 when none is.
    int selectedRow() const;
    void setChecked(int row, bool checked);
    bool isChecked(int row) const;

    QString m_resultText;
};

// Fills the check list with the rows of one parameter (list items; knob and
// slider values; "On", "Off") and ticks them by the Allowed text. Throws on
// failure; the rows added so far stay.
void FillParameterList(QListWidget* list, const ParameterEntry& parameter, const QString& allowed);

} // namespace sondrake::editor
