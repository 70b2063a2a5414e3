// qlindorn-emulator: a software synthesizer for the librarian to talk to.
//   qlindorn-emulator               a small window with the dump buttons
//   qlindorn-emulator --headless    commands on standard input (dump,
//                                   dump-bank 1, dump-bank 2, quit); every
//                                   received message printed as a hex line
//   qlindorn-emulator --list-ports  the MIDI ports visible, then exit

#include "emulator/EmulatorCore.h"
#include "emulator/EmulatorWindow.h"

#include "platform/CommandLine.h"
#include "platform/MidiService.h"
#include "platform/TerminationSignals.h"
#include "sondrake/Version.h"

#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QMetaObject>
#include <QSocketNotifier>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>

using namespace sondrake;
using namespace sondrake::emulator;

namespace {

const QString kPortName = QStringLiteral("QLindorn Emulator");

int listPorts()
{
    // Listed under a name of its own, so the emulator's ports are shown too.
    const platform::MidiService probe(QStringLiteral("qlindorn-emulator-probe"));
    const auto ins = probe.inputs();
    const auto outs = probe.outputs();
    for (std::size_t i = 0; i < ins.size(); ++i)
        std::printf("input %zu: %s\n", i, ins[i].name.toLocal8Bit().constData());
    for (std::size_t i = 0; i < outs.size(); ++i)
        std::printf("output %zu: %s\n", i, outs[i].name.toLocal8Bit().constData());
    std::fflush(stdout);
    return 0;
}

// TERM and INT leave through the event loop, so the ports are closed.
void quitOnSignals(QCoreApplication& app)
{
    if (platform::installTerminationSignals())
        platform::onTerminationSignal(&app, [&app] { app.quit(); });
}

struct Ports {
    std::unique_ptr<platform::MidiOutputDevice> out;
    std::unique_ptr<platform::MidiInputDevice> in;
};

// Opens both virtual ports; received messages go to `onMessage` on the GUI thread.
bool openPorts(Ports& ports, EmulatorCore& core, std::function<void(const Bytes&)> onMessage, QString* error)
{
    const platform::MidiService midi(kPortName);
    ports.out = midi.openVirtualOutput(kPortName, error);
    if (!ports.out)
        return false;
    auto* out = ports.out.get();
    core.setSend([out](const Bytes& b) {
        QString why;
        if (!out->send(b.data(), b.size(), &why))
            std::fprintf(stderr, "send failed: %s\n", why.toLocal8Bit().constData());
    });
    auto* app = QCoreApplication::instance();
    ports.in = midi.openVirtualInput(
        kPortName,
        [app, onMessage](const std::uint8_t* data, std::size_t size) {
            Bytes copy(data, data + size);
            QMetaObject::invokeMethod(app, [onMessage, copy = std::move(copy)] { onMessage(copy); },
                                      Qt::QueuedConnection);
        },
        error);
    if (!ports.in)
        return false;
    ports.in->start();
    return true;
}

int runHeadless(int argc, char** argv, QCommandLineParser& parser)
{
    QCoreApplication app(argc, argv);
    parser.process(app);
    quitOnSignals(app);
    EmulatorCore core;
    Ports ports;
    QString error;
    auto print = [&core](const Bytes& m) {
        core.receive(m);
        const std::string line = toHex(m) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fflush(stdout);
    };
    if (!openPorts(ports, core, print, &error)) {
        std::fprintf(stderr, "qlindorn-emulator: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    QSocketNotifier notifier(0, QSocketNotifier::Read);
    std::string pending;
    QObject::connect(&notifier, &QSocketNotifier::activated, &app, [&] {
        char buf[4096];
        const ssize_t n = ::read(0, buf, sizeof buf);
        if (n <= 0) {
            notifier.setEnabled(false);
            app.quit(); // standard input closed: nobody can tell us to quit any more
            return;
        }
        pending.append(buf, static_cast<std::size_t>(n));
        std::size_t nl;
        while ((nl = pending.find('\n')) != std::string::npos) {
            std::string cmd = pending.substr(0, nl);
            pending.erase(0, nl + 1);
            while (!cmd.empty() && (cmd.back() == '\r' || cmd.back() == ' '))
                cmd.pop_back();
            if (cmd == "dump")
                core.dumpSound();
            else if (cmd == "dump-bank 1")
                core.dumpBank(1);
            else if (cmd == "dump-bank 2")
                core.dumpBank(2);
            else if (cmd == "quit")
                app.quit();
            else if (!cmd.empty())
                std::fprintf(stderr, "unknown command: %s\n", cmd.c_str());
        }
    });
    const int rc = app.exec();
    // Close the JACK clients before leaving: a client that just vanishes
    // stalls a server in sync mode.
    ports.in.reset();
    ports.out.reset();
    return rc;
}

int runWindow(int argc, char** argv, QCommandLineParser& parser)
{
    QApplication app(argc, argv);
    parser.process(app);
    quitOnSignals(app);
    EmulatorCore core;
    EmulatorWindow window(core);
    Ports ports;
    QString error;
    if (!openPorts(ports, core, [&](const Bytes& m) { window.received(m); }, &error)) {
        std::fprintf(stderr, "qlindorn-emulator: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    window.show();
    const int rc = app.exec();
    ports.in.reset();
    ports.out.reset();
    return rc;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("qlindorn-emulator"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    QCommandLineParser parser;
    platform::addStandardOptions(parser,
        QT_TRANSLATE_NOOP("CommandLine",
            "A software stand-in for the Halvorne Q-Lindorn synthesizer: it opens the MIDI ports "
            "\"QLindorn Emulator\" and answers like the synthesizer."));
    const QCommandLineOption headless(QStringLiteral("headless"),
        QCoreApplication::translate("EmulatorMain",
            "No window: read the commands dump, dump-bank 1, dump-bank 2 and quit from standard "
            "input and print every MIDI message received as a line of hexadecimal bytes."));
    const QCommandLineOption listPortsOption(QStringLiteral("list-ports"),
        QCoreApplication::translate("EmulatorMain", "List the MIDI ports and exit."));
    parser.addOption(headless);
    parser.addOption(listPortsOption);
    platform::answerHelpAndVersion(parser, argc, argv);

    // The options say which application object to make, so they are read
    // before it exists. Options of Qt's own (-platform, -style) are unknown
    // to this first reading, which goes on past them; the application
    // object takes them out, and processing the rest once it exists reports
    // real mistakes.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    parser.parse(arguments);
    if (parser.isSet(listPortsOption))
        return listPorts();
    return parser.isSet(headless) ? runHeadless(argc, argv, parser) : runWindow(argc, argv, parser);
}
