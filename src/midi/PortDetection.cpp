#include "midi/PortDetection.h"

#include "midi/MidiOut.h"
#include "platform/Messages.h"
#include "platform/MidiService.h"

#include <exception>

namespace sondrake::midi {

namespace {
const QString kModelWord = QStringLiteral("QLindorn");
const QString kInterfaceWord = QStringLiteral("USB Audio");

std::uint16_t toIndex(int index, std::uint16_t current)
{
    return index >= 0 && index <= 0xFFFF ? static_cast<std::uint16_t>(index) : current;
}
} // namespace

int detectPortIndex(const QStringList& names, int current)
{
    // No early exit: the last matching device wins, whichever word it has.
    int index = current;
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].contains(kModelWord, Qt::CaseSensitive))
            index = i;
        else if (names[i].contains(kInterfaceWord, Qt::CaseSensitive))
            index = i;
    }
    return index;
}

int lastModelPortIndex(const QStringList& names, int current)
{
    int index = current;
    for (int i = 0; i < names.size(); ++i)
        if (names[i].contains(kModelWord, Qt::CaseSensitive))
            index = i;
    return index;
}

void DetectMidiPorts(const QStringList& inputNames, const QStringList& outputNames)
{
    MidiInDeviceIndex = toIndex(detectPortIndex(inputNames, MidiInDeviceIndex), MidiInDeviceIndex);
    MidiOutDeviceIndex = toIndex(detectPortIndex(outputNames, MidiOutDeviceIndex), MidiOutDeviceIndex);
}

void DetectMidiPorts()
{
    try {
        DetectMidiPorts(inputDeviceNames(), outputDeviceNames());
    } catch (const std::exception& e) {
        AddMessage(QString::fromLocal8Bit(e.what()));
    }
}

QStringList inputDeviceNames()
{
    QStringList names;
    for (const auto& port : platform::MidiService::inputs())
        names << port.name;
    return names;
}

QStringList outputDeviceNames()
{
    QStringList names;
    for (const auto& port : platform::MidiService::outputs())
        names << port.name;
    return names;
}

} // namespace sondrake::midi
