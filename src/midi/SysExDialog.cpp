#include "midi/SysExDialog.h"

#include "midi/SoundTransfer.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace sondrake {

namespace {
    constexpr int kWidth = 248;
    constexpr int kHeight = 86;
}

SysExDialog::SysExDialog(QWidget* parent, midi::SoundTransfer& transfer)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint
                          | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_transfer(transfer)
{
    setObjectName(QStringLiteral("frmSysExReceiver"));
    setWindowTitle(tr("SysEx Communication"));
    m_label = new QLabel(tr("Waiting for Q-Lindorn (Press Dump on Q-Lindorn)"), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setWordWrap(true);

    m_closeButton = new QPushButton(tr("&Close"), this);
    m_closeButton->setObjectName(QStringLiteral("Button1"));
    m_closeButton->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_closeButton, QDialogButtonBox::RejectRole);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &SysExDialog::onClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(m_label, 1);
    layout->addWidget(buttons);
    // 248 x 86 holds the texts in the usual font; a larger font gets the
    // height it needs at that width.
    setFixedSize(kWidth, std::max(kHeight, layout->totalHeightForWidth(kWidth)));

    connect(&m_transfer, &midi::SoundTransfer::progressChanged, this, &SysExDialog::setLabelText);
    connect(&m_transfer, &midi::SoundTransfer::waitEnded, this, [this] {
        if (isVisible())
            QDialog::done(QDialog::Rejected);
    });
    connect(&m_transfer, &midi::SoundTransfer::sendShowing, this, &SysExDialog::showForSend);
    connect(&m_transfer, &midi::SoundTransfer::sendEnded, this, [this](bool completed) {
        if (completed)
            hide();
    });
}

void SysExDialog::showForSend()
{
    show();
    raise();
    activateWindow();
    setFocus();
}

void SysExDialog::setLabelText(const QString& text) { m_label->setText(text); }

QString SysExDialog::labelText() const { return m_label->text(); }

void SysExDialog::onClose() { reject(); }

void SysExDialog::reject()
{
    m_transfer.cancel(); // ends the wait, which closes the dialog
    if (isVisible())
        QDialog::reject();
}

} // namespace sondrake
