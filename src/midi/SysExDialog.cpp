#include "midi/SysExDialog.h"

#include "store/ByteStack.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace sondrake {

namespace {
    constexpr int kWidth = 248;
    constexpr int kHeight = 86;
}

SysExDialog::SysExDialog(QWidget* parent, bool& receiving, int& receivedCount, ByteStack* stack)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint
                          | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_receiving(receiving)
    , m_receivedCount(receivedCount)
    , m_stack(stack ? *stack : byteStack())
{
    setObjectName(QStringLiteral("frmSysExReceiver"));
    setWindowTitle(QStringLiteral("SysEx Communication"));
    Label1 = new QLabel(QStringLiteral("Waiting for Q-Lindorn (Press Dump on Q-Lindorn)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);

    Button1 = new QPushButton(QStringLiteral("&Close"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &SysExDialog::onClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(Label1, 1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    // 248 x 86 holds the texts in the usual font; a larger font gets the
    // height it needs at that width.
    setFixedSize(kWidth, std::max(kHeight, layout->totalHeightForWidth(kWidth)));

    // Runs for the dialog's whole life, shown or hidden: a wait can only end
    // at one of its ticks (or by Close).
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMs);
    connect(Timer1, &QTimer::timeout, this, &SysExDialog::Timer1Timer);
    Timer1->start();
}

void SysExDialog::setLabelText(const QString& text)
{
    Label1->setText(text);
}

QString SysExDialog::labelText() const
{
    return Label1->text();
}

void SysExDialog::resetPending()
{
    m_stack.clear();
    m_receiving = false;
    m_receivedCount = 0;
}

void SysExDialog::onClose()
{
    resetPending();
    QDialog::reject();
}

void SysExDialog::reject()
{
    resetPending();
    QDialog::reject();
}

void SysExDialog::Timer1Timer()
{
    if (m_stack.count() == 0 || !m_receiving) {
        m_stack.clear();
        m_receivedCount = 0;
        if (isVisible())
            QDialog::done(QDialog::Rejected);
    }
}

} // namespace sondrake
