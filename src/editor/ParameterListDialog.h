#pragma once

// "Parameter List View": the check list of every value of one schema
// parameter, in which the user ticks the values the randomizer may choose.
// Its result is one "0"/"1" flag per row; the caller stores it only when the
// dialog was closed with "Ok".

#include "editor/ParameterMapLive.h"

#include <QDialog>
#include <QString>

class QKeyEvent;
class QListWidget;
class QPushButton;

namespace sondrake::platform {
class KeyState;
}

namespace sondrake::editor {

class ParameterListDialog : public QDialog {
    Q_OBJECT

public:
    // Reads its keys through `keys`, which outlives it.
    explicit ParameterListDialog(platform::KeyState& keys, QWidget* parent = nullptr);
    ~ParameterListDialog() override;

    // Adds the rows of one parameter (list items; knob and slider values;
    // "On", "Off") to the check list and ticks them by the Allowed text.
    // Throws on failure; the rows added so far stay.
    void fillList(const ParameterEntry& parameter, const QString& allowed);

    // "1" for every ticked row from the top, "0" for the others; built when
    // the dialog closes, by whatever way.
    const QString& resultText() const { return m_resultText; }
    // The flags of the rows as they are now.
    QString checkedText() const;

    void done(int result) override;

private:
    // handlers
    void onSelectAllValues();
    void onInvert(); // Invert
    void onSelectTo(); // Select to
    void onSelectFrom(); // Select from
    void onKeyUp(QKeyEvent* event);
    // Every key of the dialog, once, before its focused control: true keeps it from the control.
    bool onWindowKey(QKeyEvent* event);

    // The highlighted row, or -1 when none is.
    int selectedRow() const;
    void setChecked(int row, bool checked);
    bool isChecked(int row) const;

    platform::KeyState& m_keys;

    QListWidget* m_list = nullptr;
    QPushButton* m_selectAllButton = nullptr;
    QPushButton* m_invertButton = nullptr;
    QPushButton* m_selectToButton = nullptr;
    QPushButton* m_selectFromButton = nullptr;
    QPushButton* m_okButton = nullptr;
    QString m_resultText;
};

} // namespace sondrake::editor
