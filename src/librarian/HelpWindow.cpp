#include "librarian/HelpWindow.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace sondrake {

QString HelpWindow::webAddress() { return QStringLiteral("https://sondrake.example.org/"); }

const QStringList& HelpWindow::lines()
{
    static const QStringList list = {
        tr("Shortcut help "),
        QString(),
        tr("Select sound"),
        tr(" Left Click"),
        tr(" Shift, Left Click"),
        tr(" Ctrl, Left Click"),
        QString(),
        tr("Move selected sound"),
        tr(" Ctrl, right click"),
        tr("Move down"),
        tr(" Ctrl, +"),
        tr("Move Up"),
        tr(" Ctrl, -"),
        QString(),
        tr("Program select"),
        tr(" left click"),
        tr("Next program"),
        QStringLiteral(" +"),
        tr("Previous program"),
        QStringLiteral(" -"),
        QString(),
        tr("Send sound to Q-Lindorn"),
        tr(" Enter  or Ctrl, w"),
        QString(),
        tr("Computer keyboard "),
        QStringLiteral(" W E    T Y U    O P"),
        QStringLiteral("A S D F G H J K L"),
        QString(),
        tr("Z-down octave"),
        tr("X-up octave"),
        QString(),
        QString(),
        QString(),
        tr("1-Randomize Oscillator"),
        tr("2-Randomize Filters"),
        tr("3-Randomize Envelopes"),
        tr("4-Randomize LFOs"),
        tr("0-Randomize Oscillators, Filters, Envelopes and LFOs "),
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
    setWindowTitle(tr("Help"));
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
