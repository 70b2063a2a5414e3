#pragma once

// "Settings": the MIDI devices named after the synthesizer and its device
// ID. Creating the dialog already points the device indices at the last
// "QLindorn" devices; OK makes the chosen device ID current and reopens
// both ports.

#include "midi/PortDetection.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace sondrake::midi {

class MidiSettingsDialog : public QDialog {
    Q_OBJECT

public:
    // Lists the given device names (index order); creating it points
    // `choice` at the last devices named after the synthesizer.
    MidiSettingsDialog(QWidget* parent, MidiDeviceChoice& choice, const QStringList& inputNames,
                 const QStringList& outputNames);

    // The device ID list: its position is the ID byte, "Broadcast" sits at 127.
    int deviceId() const;
    void setDeviceId(int id); // an ID beyond the list selects 0

private:
    QGroupBox* m_midiGroup = nullptr;
    QLabel* m_inputLabel = nullptr;
    QLabel* m_outputLabel = nullptr;
    QLabel* m_deviceIdLabel = nullptr;
    QComboBox* m_inputList = nullptr;
    QComboBox* m_outputList = nullptr;
    QComboBox* m_deviceIdList = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    MidiDeviceChoice& m_choice;
    void build();
    void fillLists(const QStringList& inputNames, const QStringList& outputNames);
};

// Closing and opening the ports, in the order the settings command uses them.
struct MidiReopen {
    std::function<void()> closeIn;
    std::function<void()> openIn;
    std::function<void()> closeOut;
    std::function<void()> openOut;
};

// The settings command: shows the dialog modally with the current device ID
// selected; on OK sets the device ID from the chosen position ("Broadcast"
// is 127) and reopens input, then output. Returns whether OK closed it.
bool runMidiSettings(QWidget* parent, MidiDeviceChoice& choice, const QStringList& inputNames,
                     const QStringList& outputNames, const MidiReopen& reopen);

} // namespace sondrake::midi
