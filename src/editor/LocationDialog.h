#pragma once

// "Select Location": the bank and program that "Send Sound to Q-Lindorn"
// sends the edited sound to.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace sondrake::editor {

class LocationDialog : public QDialog {
    Q_OBJECT
public:
    explicit LocationDialog(QWidget* parent = nullptr);

    // Indexes: bank 0..1, program 0..99. Out-of-range values are ignored.
    int bankIndex() const;
    int programIndex() const;
    void setBankIndex(int index);
    void setProgramIndex(int index);

private:
    QComboBox* m_bankBox = nullptr;
    QComboBox* m_programBox = nullptr;
    QLabel* m_bankLabel = nullptr;
    QLabel* m_programLabel = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

} // namespace sondrake::editor
