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
    m_label = new QLabel(QStringLiteral("Waiting for Q-Lindorn (Press Dump on Q-Lindorn)"), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setWordWrap(true);

    m_closeButton = new QPushButton(QStringLiteral("&Close"), this);
    m_closeButton->setObjectName(QStringLiteral("Button1"));
    m_closeButton->setAutoDefault(false);
    connect(m_closeButton, &QPushButton::clicked, this, &SysExDialog::onClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_closeButton, 0, Qt::AlignHCenter);
    // 248 x 86 holds the texts in the usual font; a larger font gets the
    // height it needs at that width.
    setFixedSize(kWidth, std::max(kHeight, layout->totalHeightForWidth(kWidth)));

    // Runs for the dialog's whole life, shown or hidden: a wait can only end
    // at one of its ticks (or by Close).
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &SysExDialog::onTick);
    m_timer->start();
}

void SysExDialog::setLabelText(const QString& text)
{
    m_label->setText(text);
}

QString SysExDialog::labelText() const
{
    return m_label->text();
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

void SysExDialog::onTick()
{
    if (m_stack.count() == 0 || !m_receiving) {
        m_stack.clear();
        m_receivedCount = 0;
        if (isVisible())
            QDialog::done(QDialog::Rejected);
    }
}

} // namespace sondrake
