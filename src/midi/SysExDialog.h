#pragma once

// The "SysEx Communication" dialog: it waits while sounds arrive, shows the
// progress of a reception or of a send, and ends a modal wait at the first
// timer tick after the pending requests ran out. Created once by the main
// window and reused; it keeps its label text between uses.

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace sondrake {

class ByteStack;

class SysExDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kTickMs = 1000;

    // `receiving` and `receivedCount` are the owner's reception fields; Close
    // and the timer reset them. `stack` defaults to the program's ByteStack.
    SysExDialog(QWidget* parent, bool& receiving, int& receivedCount, ByteStack* stack = nullptr);

    void setLabelText(const QString& text);
    QString labelText() const;

public slots:
    void onClose();
    void onTick();
    // Escape and the window's close box end a wait the way Close does, so no
    // request pairs outlive the wait they belonged to.
    void reject() override;

private:
    void resetPending();

    QLabel* m_label = nullptr;
    QPushButton* m_closeButton = nullptr; // "&Close"
    QTimer* m_timer = nullptr;
    bool& m_receiving;
    int& m_receivedCount;
    ByteStack& m_stack;
};

} // namespace sondrake
