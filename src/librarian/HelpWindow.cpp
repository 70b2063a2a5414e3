#include "librarian/HelpWindow.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace sondrake {

QString HelpWindow::webAddress() { return QStringLiteral("https://sondrake.example.org/"); }

const QStringList& HelpWindow::lines()
{
    static const QStringList list = {
        QStringLiteral("Shortcut help "),
        QString(),
        QStringLiteral("Select sound"),
        QStringLiteral(" Left Click"),
        QStringLiteral(" Shift, Left Click"),
        QStringLiteral(" Ctrl, Left Click"),
        QString(),
        QStringLiteral("Move selected sound"),
        QStringLiteral(" Ctrl, right click"),
        QStringLiteral("Move down"),
        QStringLiteral(" Ctrl, +"),
        QStringLiteral("Move Up"),
        QStringLiteral(" Ctrl, -"),
        QString(),
        QStringLiteral("Program select"),
        QStringLiteral(" left click"),
        QStringLiteral("Next program"),
        QStringLiteral(" +"),
        QStringLiteral("Previous program"),
        QStringLiteral(" -"),
        QString(),
        QStringLiteral("Send sound to Q-Lindorn"),
        QStringLiteral(" Enter  or Ctrl, w"),
        QString(),
        QStringLiteral("Computer keyboard "),
        QStringLiteral(" W E    T Y U    O P"),
        QStringLiteral("A S D F G H J K L"),
        QString(),
        QStringLiteral("Z-down octave"),
        QStringLiteral("X-up octave"),
        QString(),
        QString(),
        QString(),
        QStringLiteral("1-Randomize Oscillator"),
        QStringLiteral("2-Randomize Filters"),
        QStringLiteral("3-Randomize Envelopes"),
        QStringLiteral("4-Randomize LFOs"),
        QStringLiteral("0-Randomize Oscillators, Filters, Envelopes and LFOs "),
        QString(),
        QString(),
        webAddress(),
    };
    return list;
}

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmHelp"));
    setWindowTitle(QStringLiteral("Help"));
    resize(515, 355);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("Memo1"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The key layout lines only line up in a fixed-pitch font.
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setPlainText(lines().join(QLatin1Char('\n')));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
}

} // namespace sondrake
