#pragma once

// The short help: one read-only text box with the shortcuts of the window.

#include <QDialog>

class QPlainTextEdit;

namespace sondrake {

class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    static const QStringList& lines();
    static QString webAddress();

private:
    QPlainTextEdit* m_text = nullptr;
};

} // namespace sondrake
