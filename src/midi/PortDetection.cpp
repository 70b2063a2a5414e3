#include "midi/PortDetection.h"

#include "platform/MidiService.h"

#include <exception>

namespace sondrake::midi {

namespace {
const QString kModelWord = QStringLiteral("QLindorn");
const QString kInterfaceWord = QStringLiteral("USB Audio");

void choose(std::uint16_t& index, QString& name, const QStringList& names, int found)
{
    if (found < 0 || found > 0xFFFF || found >= names.size())
        return;
    index = static_cast<std::uint16_t>(found);
    name = names[found];
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

void detectMidiPorts(MidiDeviceChoice& choice, const QStringList& inputNames, const QStringList& outputNames)
{
    const int in = detectPortIndex(inputNames, -1);
    const int out = detectPortIndex(outputNames, -1);
    choose(choice.inputIndex, choice.inputName, inputNames, in);
    choose(choice.outputIndex, choice.outputName, outputNames, out);
}

bool detectMidiPorts(MidiDeviceChoice& choice, const platform::MidiService& midi, QString* error)
{
    try {
        detectMidiPorts(choice, inputDeviceNames(midi), outputDeviceNames(midi));
        return true;
    } catch (const std::exception& e) {
        if (error)
            *error = QString::fromLocal8Bit(e.what());
        return false;
    }
}

QStringList inputDeviceNames(const platform::MidiService& midi)
{
    QStringList names;
    for (const auto& port : midi.inputs())
        names << port.name;
    return names;
}

QStringList outputDeviceNames(const platform::MidiService& midi)
{
    QStringList names;
    for (const auto& port : midi.outputs())
        names << port.name;
    return names;
}

} // namespace sondrake::midi
