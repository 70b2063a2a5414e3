#include "platform/MidiService.h"

#include "platform/Bounded.h"
#include "platform/JackMidi.h"

#include <rtmidi/RtMidi.h>

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <atomic>

namespace sondrake::platform {

namespace {

// RtMidi reports warnings through a callback or on standard error; the last
// text of the calling thread becomes the reason handed to our callers.
thread_local std::string lastError;

void onRtMidiError(RtMidiError::Type /*type*/, const std::string& text, void* /*user*/) { lastError = text; }

// "client:port" (and on ALSA a trailing " c:p" address) split in two.
void splitFullName(MidiApiKind api, const std::string& fullName, QString* client, QString* port, int* clientId)
{
    std::string s = fullName;
    *clientId = -1;
    if (api == MidiApiKind::Alsa) {
        const auto space = s.rfind(' ');
        if (space != std::string::npos) {
            const std::string addr = s.substr(space + 1);
            const auto colon = addr.find(':');
            if (colon != std::string::npos && colon > 0) {
                bool ok = false;
                const int id = QString::fromStdString(addr.substr(0, colon)).toInt(&ok);
                if (ok) {
                    *clientId = id;
                    s.resize(space);
                }
            }
        }
    }
    const auto colon = s.find(':');
    if (colon == std::string::npos) {
        *client = QString();
        *port = QString::fromLocal8Bit(s.c_str());
        return;
    }
    *client = QString::fromLocal8Bit(s.substr(0, colon).c_str());
    *port = QString::fromLocal8Bit(s.substr(colon + 1).c_str());
}

// JACK numbers a second client of the same name: "Sondrake-01".
QString baseClientName(const QString& client)
{
    const int dash = client.lastIndexOf(QLatin1Char('-'));
    if (dash > 0) {
        bool ok = false;
        client.mid(dash + 1).toInt(&ok);
        if (ok)
            return client.left(dash);
    }
    return client;
}

bool isOwnPort(MidiApiKind api, const std::string& fullName, const QString& own)
{
    QString client, port;
    int id = 0;
    splitFullName(api, fullName, &client, &port, &id);
    const QString base = baseClientName(client);
    return base == own || base.startsWith(own + QLatin1Char(' '));
}

bool isHardwarePort(MidiApiKind api, const std::string& fullName)
{
    QString client, port;
    int id = 0;
    splitFullName(api, fullName, &client, &port, &id);
    if (api == MidiApiKind::Alsa)
        return id >= 16 && id < 128; // kernel clients of sound cards
    return client == QLatin1String("system") || client.startsWith(QLatin1String("a2j"));
}

MidiPortInfo portInfo(MidiApiKind api, const std::string& full)
{
    MidiPortInfo info;
    info.api = api;
    info.fullName = full;
    info.name = MidiService::readableName(api, full);
    info.hardware = isHardwarePort(api, full);
    return info;
}

template <typename Rt>
std::vector<std::string> alsaPortNames(const std::string& listClient)
{
    std::vector<std::string> names;
    try {
        Rt rt(RtMidi::LINUX_ALSA, listClient);
        rt.setErrorCallback(onRtMidiError, nullptr);
        const unsigned n = rt.getPortCount();
        for (unsigned i = 0; i < n; ++i)
            names.push_back(rt.getPortName(i));
    } catch (const RtMidiError&) {
        // A back end that fails to list contributes no devices.
    }
    return names;
}

template <typename Rt>
int findAlsaPort(Rt& rt, const MidiPortInfo& info)
{
    const unsigned n = rt.getPortCount();
    for (unsigned i = 0; i < n; ++i)
        if (rt.getPortName(i) == info.fullName)
            return static_cast<int>(i);
    return -1;
}

template <typename Rt>
bool alsaPortPresent(const MidiPortInfo& info, const std::string& listClient)
{
    for (const std::string& name : alsaPortNames<Rt>(listClient))
        if (name == info.fullName)
            return true;
    return false;
}

QString errorText(const QString& fallback)
{
    if (!lastError.empty())
        return QString::fromLocal8Bit(lastError.c_str());
    return fallback;
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

MidiApiKind virtualApi() { return MidiService::alsaAvailable() ? MidiApiKind::Alsa : MidiApiKind::Jack; }

// Both directions open their virtual port here: a JACK port where there is
// no ALSA sequencer, otherwise a port of the program's own ALSA client.
// `openJack` returns the endpoint (nullptr on failure); `makeAlsa` returns
// the RtMidi object, set up but without a port.
template <class Impl, class OpenJack, class MakeAlsa>
bool openVirtualPort(Impl& impl, const QString& portName, OpenJack openJack, MakeAlsa makeAlsa, QString* error)
{
    lastError.clear();
    impl.isVirtual = true;
    impl.info.api = virtualApi();
    impl.info.name = portName;
    if (impl.info.api == MidiApiKind::Jack) {
        impl.jack = openJack();
        if (!impl.jack) {
            setError(error,
                QCoreApplication::translate(
                    "MidiService", "There is neither an ALSA sequencer nor a running JACK server."));
            return false;
        }
        impl.info.fullName = impl.jack->fullPortName();
        return true;
    }
    try {
        impl.rt = makeAlsa();
        impl.rt->openVirtualPort(portName.toStdString());
        return true;
    } catch (const RtMidiError& e) {
        setError(error, QString::fromStdString(e.getMessage()));
        return false;
    }
}

} // namespace

MidiService::MidiService(QString clientName)
    : m_clientName(std::move(clientName))
{
}

std::string MidiService::backendClientName(const char* suffix) const
{
    return (m_clientName + QString::fromLatin1(suffix)).toStdString();
}

template <typename T>
std::optional<T> MidiService::askJack(std::function<T()> work) const
{
    if (m_jackNotAnswering->load())
        return std::nullopt;
    auto result = runBounded<T>(
        [work = std::move(work), notAnswering = m_jackNotAnswering] {
            T value = work();
            notAnswering->store(false);
            return value;
        },
        kServerWait);
    if (!result)
        m_jackNotAnswering->store(true);
    return result;
}

// Ports that send are our inputs; ports that receive are our outputs.
template <typename Rt>
std::vector<MidiPortInfo> MidiService::listPorts(bool sending, bool bounded) const
{
    const std::string listClient = backendClientName(" list");
    std::vector<MidiPortInfo> out;
    auto add = [&](MidiApiKind api, const std::vector<std::string>& names) {
        for (const std::string& full : names)
            if (!full.empty() && !isOwnPort(api, full, m_clientName))
                out.push_back(portInfo(api, full));
    };
    if (alsaAvailable())
        add(MidiApiKind::Alsa, alsaPortNames<Rt>(listClient));
    std::optional<std::vector<std::string>> jackNames;
    if (bounded) {
        if (auto got = askJack<std::optional<std::vector<std::string>>>(
                [listClient, sending] { return jackmidi::listPorts(listClient, sending); }))
            jackNames = std::move(*got);
    } else {
        jackNames = jackmidi::listPorts(listClient, sending);
    }
    if (jackNames)
        add(MidiApiKind::Jack, *jackNames);
    return out;
}

bool MidiService::alsaAvailable() { return QFileInfo::exists(QStringLiteral("/dev/snd/seq")); }

bool MidiService::jackAvailable() const
{
    const std::string client = backendClientName(" probe");
    return askJack<bool>([client] { return jackmidi::serverRunning(client); }).value_or(false);
}

std::vector<MidiPortInfo> MidiService::inputs(bool bounded) const
{
    return listPorts<RtMidiIn>(true, bounded);
}

std::vector<MidiPortInfo> MidiService::outputs(bool bounded) const
{
    return listPorts<RtMidiOut>(false, bounded);
}

int MidiService::inputCount() const { return static_cast<int>(inputs().size()); }
int MidiService::outputCount() const { return static_cast<int>(outputs().size()); }

QString MidiService::inputName(int index) const
{
    const auto all = inputs();
    return index >= 0 && index < static_cast<int>(all.size()) ? all[static_cast<std::size_t>(index)].name : QString();
}

QString MidiService::outputName(int index) const
{
    const auto all = outputs();
    return index >= 0 && index < static_cast<int>(all.size()) ? all[static_cast<std::size_t>(index)].name : QString();
}

QString MidiService::readableName(MidiApiKind api, const std::string& fullName)
{
    QString client, port;
    int id = 0;
    splitFullName(api, fullName, &client, &port, &id);
    const QString base = baseClientName(client);
    QString name;
    // A port named after its client ("QLindorn MIDI 1" of "QLindorn") says
    // it all; otherwise the client tells which program or card it is.
    if (client.isEmpty() || port.startsWith(base) || base.startsWith(port))
        name = port.isEmpty() ? client : port;
    else
        name = client + QLatin1Char(':') + port;
    return name.left(kMidiNameLength);
}

// ---- output ----------------------------------------------------------------

struct MidiOutputDevice::Impl {
    MidiPortInfo info;
    std::string listClient; // looks whether the port is still there
    bool isVirtual = false;
    std::unique_ptr<RtMidiOut> rt; // ALSA
    std::shared_ptr<jackmidi::Endpoint> jack;
    std::atomic<bool> interrupted{false};
};

MidiOutputDevice::MidiOutputDevice(std::unique_ptr<Impl> impl)
    : d(std::move(impl))
{
}

MidiOutputDevice::~MidiOutputDevice()
{
    if (!d)
        return;
    try {
        if (d->rt)
            d->rt->closePort();
    } catch (const RtMidiError&) {
    }
    d->jack.reset(); // its own release is bounded, and spares a dead server
}

std::unique_ptr<MidiOutputDevice> MidiService::openOutput(const MidiPortInfo& info, QString* error) const
{
    lastError.clear();
    auto impl = std::make_unique<MidiOutputDevice::Impl>();
    impl->info = info;
    impl->listClient = backendClientName(" list");
    if (info.api == MidiApiKind::Jack) {
        impl->jack = jackmidi::Endpoint::open(backendClientName(), "out", true, info.fullName, {}, error);
        if (!impl->jack)
            return nullptr;
        return std::unique_ptr<MidiOutputDevice>(new MidiOutputDevice(std::move(impl)));
    }
    try {
        impl->rt = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, backendClientName());
        impl->rt->setErrorCallback(onRtMidiError, nullptr);
        const int port = findAlsaPort(*impl->rt, info);
        if (port < 0) {
            setError(error,
                QCoreApplication::translate("MidiService", "The MIDI output device %1 is gone.")
                    .arg(info.name));
            return nullptr;
        }
        impl->rt->openPort(static_cast<unsigned>(port), "out");
        if (!impl->rt->isPortOpen()) {
            setError(error,
                errorText(QCoreApplication::translate(
                    "MidiService", "The MIDI output device could not be opened.")));
            return nullptr;
        }
        return std::unique_ptr<MidiOutputDevice>(new MidiOutputDevice(std::move(impl)));
    } catch (const RtMidiError& e) {
        setError(error, QString::fromStdString(e.getMessage()));
        return nullptr;
    }
}

std::unique_ptr<MidiOutputDevice> MidiService::openOutput(int index, QString* error) const
{
    const auto all = outputs();
    if (index < 0 || index >= static_cast<int>(all.size())) {
        setError(error,
            QCoreApplication::translate("MidiService", "There is no MIDI output device %1 (%2 present).")
                .arg(index)
                .arg(all.size()));
        return nullptr;
    }
    return openOutput(all[static_cast<std::size_t>(index)], error);
}

std::unique_ptr<MidiOutputDevice> MidiService::openVirtualOutput(
    const QString& portName, QString* error) const
{
    auto impl = std::make_unique<MidiOutputDevice::Impl>();
    const std::string client = backendClientName(" Out");
    const bool opened = openVirtualPort(
        *impl, portName,
        [&] { return jackmidi::Endpoint::open(client, portName.toStdString(), true, {}, {}, error); },
        [&] {
            auto rt = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, client);
            rt->setErrorCallback(onRtMidiError, nullptr);
            return rt;
        },
        error);
    return opened ? std::unique_ptr<MidiOutputDevice>(new MidiOutputDevice(std::move(impl))) : nullptr;
}

bool MidiOutputDevice::send(const std::uint8_t* data, std::size_t size, QString* error)
{
    if (d->jack)
        return d->jack->send(data, size, error);
    if (d->interrupted.load()) {
        setError(error, QCoreApplication::translate("MidiService", "the MIDI output is closing"));
        return false;
    }
    lastError.clear();
    try {
        d->rt->sendMessage(data, size);
    } catch (const RtMidiError& e) {
        setError(error, QString::fromStdString(e.getMessage()));
        return false;
    }
    if (!lastError.empty()) {
        setError(error, QString::fromLocal8Bit(lastError.c_str()));
        return false;
    }
    return true;
}

void MidiOutputDevice::interrupt()
{
    d->interrupted.store(true);
    if (d->jack)
        d->jack->interrupt();
}

bool MidiOutputDevice::isLost() const { return d->jack && d->jack->isDead(); }

bool MidiOutputDevice::checkConnection()
{
    if (d->jack)
        return d->jack->isConnected();
    return d->isVirtual || alsaPortPresent<RtMidiOut>(d->info, d->listClient);
}

bool MidiOutputDevice::isHardware() const { return d->info.hardware; }

std::size_t MidiOutputDevice::maxMessageSize() const
{
    // ALSA encodes a message of any length.
    return d->jack ? jackmidi::kMaxMessageSize : (std::size_t{2} << 20);
}

bool MidiOutputDevice::acceptsFragments() const { return false; }

std::size_t MidiOutputDevice::bytesPerSecond() const
{
    if (d->info.hardware)
        return 3125; // the MIDI wire
    // JACK hands a client's events over once per period; a SysEx burst of
    // tens of kilobytes was seen to lose whole messages on a loaded machine,
    // so it is fed at ten times the wire rate (a bank file in under 2 s).
    return d->jack ? 31250 : 0;
}

QString MidiOutputDevice::name() const { return d->info.name; }
const MidiPortInfo& MidiOutputDevice::port() const { return d->info; }

// ---- input -----------------------------------------------------------------

struct MidiInputDevice::Impl {
    // Shared with the back end's thread, which may outlive a close that a
    // stopped server holds up.
    struct Gate {
        std::atomic<bool> started{false};
        std::atomic<std::chrono::steady_clock::rep> lastSysEx{0};
        Callback callback;
        void pass(const std::uint8_t* data, std::size_t size)
        {
            if (!started.load() || !callback)
                return;
            if (data[0] == 0xF0)
                lastSysEx.store(std::chrono::steady_clock::now().time_since_epoch().count(),
                                std::memory_order_relaxed);
            callback(data, size);
        }
    };
    MidiPortInfo info;
    std::string listClient; // looks whether the port is still there
    bool isVirtual = false;
    std::shared_ptr<Gate> gate = std::make_shared<Gate>();
    std::unique_ptr<RtMidiIn> rt; // ALSA
    std::shared_ptr<jackmidi::Endpoint> jack;

    static void onMessage(double /*delta*/, std::vector<unsigned char>* message, void* user)
    {
        if (message && !message->empty())
            static_cast<Gate*>(user)->pass(message->data(), message->size());
    }

    Callback gated() const
    {
        return [gate = gate](const std::uint8_t* data, std::size_t size) { gate->pass(data, size); };
    }
};

MidiInputDevice::MidiInputDevice(std::unique_ptr<Impl> impl)
    : d(std::move(impl))
{
}

MidiInputDevice::~MidiInputDevice()
{
    if (!d)
        return;
    d->gate->started = false;
    try {
        if (d->rt) {
            d->rt->cancelCallback();
            d->rt->closePort();
        }
    } catch (const RtMidiError&) {
    }
    d->jack.reset();
}

namespace {
std::unique_ptr<RtMidiIn> makeAlsaInput(const std::string& client)
{
    // A queue limit well above a bank read's worth of messages; with a
    // callback installed the queue is not used anyway.
    auto rt = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, client, 1000);
    rt->setErrorCallback(onRtMidiError, nullptr);
    rt->ignoreTypes(false, true, true); // SysEx in, timing and sensing out
    return rt;
}

} // namespace

std::unique_ptr<MidiInputDevice> MidiService::openInput(
    const MidiPortInfo& info, InputCallback callback, QString* error) const
{
    using Impl = MidiInputDevice::Impl;
    lastError.clear();
    auto impl = std::make_unique<Impl>();
    impl->info = info;
    impl->listClient = backendClientName(" list");
    impl->gate->callback = std::move(callback);
    if (info.api == MidiApiKind::Jack) {
        impl->jack
            = jackmidi::Endpoint::open(backendClientName(), "in", false, info.fullName, impl->gated(), error);
        if (!impl->jack)
            return nullptr;
        impl->jack->setStarted(true);
        return std::unique_ptr<MidiInputDevice>(new MidiInputDevice(std::move(impl)));
    }
    try {
        impl->rt = makeAlsaInput(backendClientName());
        const int port = findAlsaPort(*impl->rt, info);
        if (port < 0) {
            setError(error,
                QCoreApplication::translate("MidiService", "The MIDI input device %1 is gone.")
                    .arg(info.name));
            return nullptr;
        }
        impl->rt->setCallback(&Impl::onMessage, impl->gate.get());
        impl->rt->openPort(static_cast<unsigned>(port), "in");
        if (!impl->rt->isPortOpen()) {
            setError(error,
                errorText(QCoreApplication::translate(
                    "MidiService", "The MIDI input device could not be opened.")));
            return nullptr;
        }
        return std::unique_ptr<MidiInputDevice>(new MidiInputDevice(std::move(impl)));
    } catch (const RtMidiError& e) {
        setError(error, QString::fromStdString(e.getMessage()));
        return nullptr;
    }
}

std::unique_ptr<MidiInputDevice> MidiService::openInput(
    int index, InputCallback callback, QString* error) const
{
    const auto all = inputs();
    if (index < 0 || index >= static_cast<int>(all.size())) {
        setError(error,
            QCoreApplication::translate("MidiService", "There is no MIDI input device %1 (%2 present).")
                .arg(index)
                .arg(all.size()));
        return nullptr;
    }
    return openInput(all[static_cast<std::size_t>(index)], std::move(callback), error);
}

std::unique_ptr<MidiInputDevice> MidiService::openVirtualInput(
    const QString& portName, InputCallback callback, QString* error) const
{
    using Impl = MidiInputDevice::Impl;
    auto impl = std::make_unique<Impl>();
    impl->gate->callback = std::move(callback);
    const std::string client = backendClientName(" In");
    const bool opened = openVirtualPort(
        *impl, portName,
        [&] {
            auto jack
                = jackmidi::Endpoint::open(client, portName.toStdString(), false, {}, impl->gated(), error);
            if (jack)
                jack->setStarted(true);
            return jack;
        },
        [&] {
            auto rt = makeAlsaInput(client);
            rt->setCallback(&Impl::onMessage, impl->gate.get());
            return rt;
        },
        error);
    return opened ? std::unique_ptr<MidiInputDevice>(new MidiInputDevice(std::move(impl))) : nullptr;
}

bool MidiInputDevice::start()
{
    if (isLost())
        return false;
    d->gate->started = true;
    return true;
}

void MidiInputDevice::stop() { d->gate->started = false; }

std::chrono::steady_clock::time_point MidiInputDevice::lastSysExActivity() const
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point last{Clock::duration(d->gate->lastSysEx.load(std::memory_order_relaxed))};
    // Pieces of a SysEx that is still arriving show only at the JACK end.
    if (d->jack)
        last = std::max(last, d->jack->lastSysExActivity());
    return last;
}

bool MidiInputDevice::isStarted() const { return d->gate->started.load(); }
bool MidiInputDevice::isLost() const { return d->jack && d->jack->isDead(); }

bool MidiInputDevice::checkConnection()
{
    if (d->jack)
        return d->jack->isConnected();
    return d->isVirtual || alsaPortPresent<RtMidiIn>(d->info, d->listClient);
}

QString MidiInputDevice::name() const { return d->info.name; }
const MidiPortInfo& MidiInputDevice::port() const { return d->info; }

} // namespace sondrake::platform
