#include "midi/MidiSettingsDialog.h"

#include "midi/PortDetection.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

namespace sondrake::midi {

namespace {
const QString kModelWord = QStringLiteral("QLindorn");
constexpr int kBroadcast = 127;

void fillPortList(QComboBox* combo, const QStringList& names, std::uint16_t& deviceIndex, QString& deviceName)
{
    combo->clear();
    if (names.isEmpty()) {
        combo->addItem(MidiSettingsDialog::tr("No Device"));
    } else {
        for (int i = 0; i < names.size(); ++i) {
            if (names[i].contains(kModelWord, Qt::CaseSensitive)) {
                combo->addItem(names[i]);
                if (i <= 0xFFFF) {
                    deviceIndex = static_cast<std::uint16_t>(i);
                    deviceName = names[i];
                }
            }
        }
    }
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}
} // namespace

MidiSettingsDialog::MidiSettingsDialog(QWidget* parent, MidiDeviceChoice& choice, const QStringList& inputNames,
                           const QStringList& outputNames)
    : QDialog(parent)
    , m_choice(choice)
{
    build();
    fillLists(inputNames, outputNames);
}

void MidiSettingsDialog::build()
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(tr("Settings"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    m_midiGroup = new QGroupBox(tr("Midi"), this);
    m_midiGroup->setObjectName(QStringLiteral("grpMidi"));
    m_inputLabel = new QLabel(tr("Midi in"), m_midiGroup);
    m_inputLabel->setObjectName(QStringLiteral("lblMidiIn"));
    m_outputLabel = new QLabel(tr("Midi out"), m_midiGroup);
    m_outputLabel->setObjectName(QStringLiteral("lblMidiOut"));
    m_deviceIdLabel = new QLabel(tr("Device ID"), m_midiGroup);
    m_deviceIdLabel->setObjectName(QStringLiteral("lblDeviceId"));

    m_inputList = new QComboBox(m_midiGroup);
    m_inputList->setObjectName(QStringLiteral("cmbMidiIns"));
    m_inputList->setFixedWidth(265);
    m_outputList = new QComboBox(m_midiGroup);
    m_outputList->setObjectName(QStringLiteral("cmbMidiOut"));
    m_outputList->setFixedWidth(265);
    m_deviceIdList = new QComboBox(m_midiGroup);
    m_deviceIdList->setObjectName(QStringLiteral("cmbDeviceID"));
    m_deviceIdList->setFixedWidth(65);

    auto* grid = new QVBoxLayout(m_midiGroup);
    grid->addWidget(m_inputLabel);
    grid->addWidget(m_inputList);
    grid->addWidget(m_outputLabel);
    grid->addWidget(m_outputList);
    grid->addWidget(m_deviceIdLabel);
    grid->addWidget(m_deviceIdList);
    grid->addStretch(1);

    m_okButton = new QPushButton(tr("OK"), this);
    m_okButton->setObjectName(QStringLiteral("btnOk"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("brnCancel"));
    // Beside the group, OK above Cancel.
    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    buttons->addButton(m_okButton, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancelButton, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_midiGroup, 1);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void MidiSettingsDialog::fillLists(const QStringList& inputNames, const QStringList& outputNames)
{
    // Position = device ID byte; "Broadcast" sits at 127.
    m_deviceIdList->clear();
    for (int id = 0; id < kBroadcast; ++id)
        m_deviceIdList->addItem(QString::number(id));
    m_deviceIdList->addItem(tr("Broadcast"));

    fillPortList(m_inputList, inputNames, m_choice.inputIndex, m_choice.inputName);
    fillPortList(m_outputList, outputNames, m_choice.outputIndex, m_choice.outputName);
}

int MidiSettingsDialog::deviceId() const { return m_deviceIdList->currentIndex(); }

void MidiSettingsDialog::setDeviceId(int id) { m_deviceIdList->setCurrentIndex(id >= 0 && id < m_deviceIdList->count() ? id : 0); }

bool runMidiSettings(QWidget* parent, MidiDeviceChoice& choice, const QStringList& inputNames,
                     const QStringList& outputNames, const MidiReopen& reopen)
{
    MidiSettingsDialog dialog(parent, choice, inputNames, outputNames);
    dialog.setDeviceId(choice.deviceId);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const int chosen = dialog.deviceId();
    if (chosen >= 0 && chosen <= kBroadcast)
        choice.deviceId = static_cast<std::uint16_t>(chosen);
    if (reopen.closeIn)
        reopen.closeIn();
    if (reopen.openIn)
        reopen.openIn();
    if (reopen.closeOut)
        reopen.closeOut();
    if (reopen.openOut)
        reopen.openOut();
    return true;
}

} // namespace sondrake::midi
