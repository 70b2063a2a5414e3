#pragma once

// The "SysEx Communication" dialog: it shows the progress of a reception or
// of a send, as the transfer tells it, and ends a modal wait when the
// transfer says the wait is over. Close and Escape tell the transfer to
// forget what it still waits for. Created once by the main window and
// reused; it keeps its label text between uses.

#include <QDialog>

class QLabel;
class QPushButton;

namespace sondrake::midi {
class SoundTransfer;
}

namespace sondrake {

class SysExDialog : public QDialog {
    Q_OBJECT

public:
    SysExDialog(QWidget* parent, midi::SoundTransfer& transfer);

    void setLabelText(const QString& text);
    QString labelText() const;

public slots:
    void onClose();
    // Escape and the window's close box end a wait the way Close does, so no
    // request pairs outlive the wait they belonged to.
    void reject() override;

private:
    void showForSend();

    midi::SoundTransfer& m_transfer;
    QLabel* m_label = nullptr;
    QPushButton* m_closeButton = nullptr; // "&Close"
};

} // namespace sondrake
