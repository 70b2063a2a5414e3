#include "midi/MidiSettingsDialog.h"

#include "midi/PortDetection.h"
#include "platform/Messages.h"

#include <QComboBox>
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
const QString kNoDevice = QStringLiteral("No Device");
constexpr int kBroadcast = 127;

void fillPortList(QComboBox* combo, const QStringList& names, std::uint16_t& deviceIndex, QString& deviceName)
{
    combo->clear();
    if (names.isEmpty()) {
        combo->addItem(kNoDevice);
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

MidiSettingsDialog::MidiSettingsDialog(QWidget* parent, MidiDeviceChoice& choice)
    : QDialog(parent)
    , m_choice(choice)
{
    build();
    QStringList ins;
    QStringList outs;
    try {
        ins = inputDeviceNames();
        outs = outputDeviceNames();
    } catch (const std::exception& e) {
        addMessage(QString::fromLocal8Bit(e.what()));
    }
    FormCreate(ins, outs);
}

MidiSettingsDialog::MidiSettingsDialog(QWidget* parent, MidiDeviceChoice& choice, const QStringList& inputNames,
                           const QStringList& outputNames)
    : QDialog(parent)
    , m_choice(choice)
{
    build();
    FormCreate(inputNames, outputNames);
}

void MidiSettingsDialog::build()
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Settings"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    grpMidi = new QGroupBox(QStringLiteral("Midi"), this);
    grpMidi->setObjectName(QStringLiteral("grpMidi"));
    lblMidiIn = new QLabel(QStringLiteral("Midi in"), grpMidi);
    lblMidiIn->setObjectName(QStringLiteral("lblMidiIn"));
    lblMidiOut = new QLabel(QStringLiteral("Midi out"), grpMidi);
    lblMidiOut->setObjectName(QStringLiteral("lblMidiOut"));
    lblDeviceId = new QLabel(QStringLiteral("Device ID"), grpMidi);
    lblDeviceId->setObjectName(QStringLiteral("lblDeviceId"));

    cmbMidiIns = new QComboBox(grpMidi);
    cmbMidiIns->setObjectName(QStringLiteral("cmbMidiIns"));
    cmbMidiIns->setFixedWidth(265);
    cmbMidiOut = new QComboBox(grpMidi);
    cmbMidiOut->setObjectName(QStringLiteral("cmbMidiOut"));
    cmbMidiOut->setFixedWidth(265);
    cmbDeviceID = new QComboBox(grpMidi);
    cmbDeviceID->setObjectName(QStringLiteral("cmbDeviceID"));
    cmbDeviceID->setFixedWidth(65);

    auto* grid = new QVBoxLayout(grpMidi);
    grid->addWidget(lblMidiIn);
    grid->addWidget(cmbMidiIns);
    grid->addWidget(lblMidiOut);
    grid->addWidget(cmbMidiOut);
    grid->addWidget(lblDeviceId);
    grid->addWidget(cmbDeviceID);
    grid->addStretch(1);

    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    brnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    brnCancel->setObjectName(QStringLiteral("brnCancel"));
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(brnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnOk);
    buttons->addWidget(brnCancel);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(grpMidi, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void MidiSettingsDialog::FormCreate(const QStringList& inputNames, const QStringList& outputNames)
{
    try {
        // Position = device ID byte; "Broadcast" sits at 127.
        cmbDeviceID->clear();
        for (int id = 0; id < kBroadcast; ++id)
            cmbDeviceID->addItem(QString::number(id));
        cmbDeviceID->addItem(QStringLiteral("Broadcast"));

        fillPortList(cmbMidiIns, inputNames, m_choice.inputIndex, m_choice.inputName);
        fillPortList(cmbMidiOut, outputNames, m_choice.outputIndex, m_choice.outputName);
    } catch (const std::exception& e) {
        addMessage(QString::fromLocal8Bit(e.what()));
    }
}

bool runMidiSettings(QWidget* parent, MidiDeviceChoice& choice, const QStringList& inputNames,
                     const QStringList& outputNames, const MidiReopen& reopen)
{
    MidiSettingsDialog dialog(parent, choice, inputNames, outputNames);
    dialog.cmbDeviceID->setCurrentIndex(choice.deviceId < dialog.cmbDeviceID->count() ? int(choice.deviceId) : 0);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const int chosen = dialog.cmbDeviceID->currentIndex();
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
