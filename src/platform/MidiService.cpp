#include "platform/MidiService.h"

#include <rtmidi/RtMidi.h>

#include <QFileInfo>

#include <atomic>
#include <dlfcn.h>
#include <mutex>

namespace sondrake::platform {

namespace {

std::mutex nameMutex;
QString& clientNameRef()
{
    static QString name = QStringLiteral("Sondrake");
    return name;
}

// RtMidi reports warnings through a callback or on standard error; the last
// text of the calling thread becomes the reason handed to our callers.
thread_local std::string lastError;

void onRtMidiError(RtMidiError::Type /*type*/, const std::string& text, void* /*user*/)
{
    lastError = text;
}

void preventJackServerStart()
{
    // A JACK client must never start a server of its own: the user's (or the
    // tests' private) server is the only one we talk to.
    static std::once_flag once;
    std::call_once(once, [] { qputenv("JACK_NO_START_SERVER", "1"); });
}

RtMidi::Api rtApi(MidiApiKind api)
{
    return api == MidiApiKind::Alsa ? RtMidi::LINUX_ALSA : RtMidi::UNIX_JACK;
}

std::string clientNameStd(const char* suffix = "")
{
    std::lock_guard lock(nameMutex);
    return (clientNameRef() + QString::fromLatin1(suffix)).toStdString();
}

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

bool isOwnPort(MidiApiKind api, const std::string& fullName)
{
    QString client, port;
    int id = 0;
    splitFullName(api, fullName, &client, &port, &id);
    QString own;
    {
        std::lock_guard lock(nameMutex);
        own = clientNameRef();
    }
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

template <typename Rt>
std::vector<MidiPortInfo> listPorts()
{
    preventJackServerStart();
    std::vector<MidiPortInfo> out;
    std::vector<MidiApiKind> apis;
    if (MidiService::alsaAvailable())
        apis.push_back(MidiApiKind::Alsa);
    if (MidiService::jackAvailable())
        apis.push_back(MidiApiKind::Jack);
    for (MidiApiKind api : apis) {
        try {
            Rt rt(rtApi(api), clientNameStd(" list"));
            rt.setErrorCallback(onRtMidiError, nullptr);
            const unsigned n = rt.getPortCount();
            for (unsigned i = 0; i < n; ++i) {
                const std::string full = rt.getPortName(i);
                if (full.empty() || isOwnPort(api, full))
                    continue;
                MidiPortInfo info;
                info.api = api;
                info.fullName = full;
                info.name = MidiService::readableName(api, full);
                info.hardware = isHardwarePort(api, full);
                out.push_back(std::move(info));
            }
        } catch (const RtMidiError&) {
            // A back end that fails to list contributes no devices.
        }
    }
    return out;
}

// Finds `info` on an opened RtMidi object again; -1 when it vanished.
template <typename Rt>
int findPort(Rt& rt, const MidiPortInfo& info)
{
    const unsigned n = rt.getPortCount();
    for (unsigned i = 0; i < n; ++i)
        if (rt.getPortName(i) == info.fullName)
            return static_cast<int>(i);
    return -1;
}

QString errorText(const char* fallback)
{
    if (!lastError.empty())
        return QString::fromLocal8Bit(lastError.c_str());
    return QString::fromLatin1(fallback);
}

} // namespace

void MidiService::setClientName(const QString& name)
{
    std::lock_guard lock(nameMutex);
    clientNameRef() = name;
}

QString MidiService::clientName()
{
    std::lock_guard lock(nameMutex);
    return clientNameRef();
}

bool MidiService::alsaAvailable()
{
    return QFileInfo::exists(QStringLiteral("/dev/snd/seq"));
}

bool MidiService::jackAvailable()
{
    preventJackServerStart();
    // Asking libjack directly tells "no server" from "no ports" without a
    // warning on standard error; RtMidi links it anyway.
    using Open = void* (*)(const char*, int, int*, ...);
    using Close = int (*)(void*);
    static void* lib = dlopen("libjack.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!lib)
        return false;
    static auto open = reinterpret_cast<Open>(dlsym(lib, "jack_client_open"));
    static auto close = reinterpret_cast<Close>(dlsym(lib, "jack_client_close"));
    if (!open || !close)
        return false;
    constexpr int JackNoStartServer = 0x01;
    int status = 0;
    void* client = open(clientNameStd(" probe").c_str(), JackNoStartServer, &status);
    if (!client)
        return false;
    close(client);
    return true;
}

std::vector<MidiPortInfo> MidiService::inputs() { return listPorts<RtMidiIn>(); }
std::vector<MidiPortInfo> MidiService::outputs() { return listPorts<RtMidiOut>(); }
int MidiService::inputCount() { return static_cast<int>(inputs().size()); }
int MidiService::outputCount() { return static_cast<int>(outputs().size()); }

QString MidiService::inputName(int index)
{
    const auto all = inputs();
    return index >= 0 && index < static_cast<int>(all.size()) ? all[static_cast<std::size_t>(index)].name : QString();
}

QString MidiService::outputName(int index)
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
    std::unique_ptr<RtMidiOut> rt;
    MidiApiKind api = MidiApiKind::Alsa;
    bool hardware = false;
    QString name;
};

MidiOutputDevice::MidiOutputDevice(std::unique_ptr<Impl> impl)
    : d(std::move(impl))
{
}

MidiOutputDevice::~MidiOutputDevice()
{
    try {
        if (d && d->rt)
            d->rt->closePort();
    } catch (const RtMidiError&) {
    }
}

std::unique_ptr<MidiOutputDevice> MidiOutputDevice::open(int index, QString* error)
{
    lastError.clear();
    const auto all = MidiService::outputs();
    if (index < 0 || index >= static_cast<int>(all.size())) {
        if (error)
            *error = QStringLiteral("There is no MIDI output device %1 (%2 present).").arg(index).arg(all.size());
        return nullptr;
    }
    const MidiPortInfo& info = all[static_cast<std::size_t>(index)];
    try {
        auto impl = std::make_unique<Impl>();
        impl->rt = std::make_unique<RtMidiOut>(rtApi(info.api), clientNameStd());
        impl->rt->setErrorCallback(onRtMidiError, nullptr);
        const int port = findPort(*impl->rt, info);
        if (port < 0) {
            if (error)
                *error = QStringLiteral("The MIDI output device %1 is gone.").arg(info.name);
            return nullptr;
        }
        impl->rt->openPort(static_cast<unsigned>(port), "out");
        if (!impl->rt->isPortOpen()) {
            if (error)
                *error = errorText("The MIDI output device could not be opened.");
            return nullptr;
        }
        impl->api = info.api;
        impl->hardware = info.hardware;
        impl->name = info.name;
        return std::unique_ptr<MidiOutputDevice>(new MidiOutputDevice(std::move(impl)));
    } catch (const RtMidiError& e) {
        if (error)
            *error = QString::fromStdString(e.getMessage());
        return nullptr;
    }
}

std::unique_ptr<MidiOutputDevice> MidiOutputDevice::openVirtual(const QString& portName, QString* error)
{
    preventJackServerStart();
    lastError.clear();
    const MidiApiKind api = MidiService::alsaAvailable() ? MidiApiKind::Alsa : MidiApiKind::Jack;
    if (api == MidiApiKind::Jack && !MidiService::jackAvailable()) {
        if (error)
            *error = QStringLiteral("There is neither an ALSA sequencer nor a running JACK server.");
        return nullptr;
    }
    try {
        auto impl = std::make_unique<Impl>();
        impl->rt = std::make_unique<RtMidiOut>(rtApi(api), clientNameStd(" Out"));
        impl->rt->setErrorCallback(onRtMidiError, nullptr);
        impl->rt->openVirtualPort(portName.toStdString());
        impl->api = api;
        impl->name = portName;
        return std::unique_ptr<MidiOutputDevice>(new MidiOutputDevice(std::move(impl)));
    } catch (const RtMidiError& e) {
        if (error)
            *error = QString::fromStdString(e.getMessage());
        return nullptr;
    }
}

bool MidiOutputDevice::send(const std::uint8_t* data, std::size_t size, QString* error)
{
    lastError.clear();
    try {
        d->rt->sendMessage(data, size);
    } catch (const RtMidiError& e) {
        if (error)
            *error = QString::fromStdString(e.getMessage());
        return false;
    }
    if (!lastError.empty()) {
        if (error)
            *error = QString::fromLocal8Bit(lastError.c_str());
        return false;
    }
    return true;
}

bool MidiOutputDevice::isHardware() const { return d->hardware; }

std::size_t MidiOutputDevice::maxMessageSize() const
{
    // RtMidi's JACK output drops a message that does not fit its ring buffer
    // slot without a word; ALSA encodes a message of any length.
    return d->api == MidiApiKind::Jack ? 16379 : (std::size_t{2} << 20);
}

bool MidiOutputDevice::acceptsFragments() const { return false; }

std::size_t MidiOutputDevice::bytesPerSecond() const
{
    if (d->hardware)
        return 3125; // the MIDI wire
    // JACK hands a client's events over once per period; a SysEx burst of
    // tens of kilobytes was seen to lose whole messages on a loaded machine,
    // so it is fed at ten times the wire rate (a bank file in under 2 s).
    return d->api == MidiApiKind::Jack ? 31250 : 0;
}

QString MidiOutputDevice::name() const { return d->name; }

// ---- input -----------------------------------------------------------------

struct MidiInputDevice::Impl {
    std::unique_ptr<RtMidiIn> rt;
    Callback callback;
    std::atomic<bool> started{false};
    QString name;

    static void onMessage(double /*delta*/, std::vector<unsigned char>* message, void* user)
    {
        auto* self = static_cast<Impl*>(user);
        if (!self->started.load() || !message || message->empty())
            return;
        self->callback(message->data(), message->size());
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
    d->started = false;
    try {
        if (d->rt) {
            d->rt->cancelCallback();
            d->rt->closePort();
        }
    } catch (const RtMidiError&) {
    }
}

namespace {
std::unique_ptr<RtMidiIn> makeInput(MidiApiKind api, const std::string& client, MidiInputDevice::Impl* impl)
{
    // A queue limit well above a bank read's worth of messages; with a
    // callback installed the queue is not used anyway.
    auto rt = std::make_unique<RtMidiIn>(rtApi(api), client, 1000);
    rt->setErrorCallback(onRtMidiError, nullptr);
    rt->ignoreTypes(false, true, true); // SysEx in, timing and sensing out
    (void)impl;
    return rt;
}
} // namespace

std::unique_ptr<MidiInputDevice> MidiInputDevice::open(int index, Callback callback, QString* error)
{
    lastError.clear();
    const auto all = MidiService::inputs();
    if (index < 0 || index >= static_cast<int>(all.size())) {
        if (error)
            *error = QStringLiteral("There is no MIDI input device %1 (%2 present).").arg(index).arg(all.size());
        return nullptr;
    }
    const MidiPortInfo& info = all[static_cast<std::size_t>(index)];
    try {
        auto impl = std::make_unique<Impl>();
        impl->callback = std::move(callback);
        impl->rt = makeInput(info.api, clientNameStd(), impl.get());
        const int port = findPort(*impl->rt, info);
        if (port < 0) {
            if (error)
                *error = QStringLiteral("The MIDI input device %1 is gone.").arg(info.name);
            return nullptr;
        }
        impl->rt->setCallback(&Impl::onMessage, impl.get());
        impl->rt->openPort(static_cast<unsigned>(port), "in");
        if (!impl->rt->isPortOpen()) {
            if (error)
                *error = errorText("The MIDI input device could not be opened.");
            return nullptr;
        }
        impl->name = info.name;
        return std::unique_ptr<MidiInputDevice>(new MidiInputDevice(std::move(impl)));
    } catch (const RtMidiError& e) {
        if (error)
            *error = QString::fromStdString(e.getMessage());
        return nullptr;
    }
}

std::unique_ptr<MidiInputDevice> MidiInputDevice::openVirtual(const QString& portName, Callback callback, QString* error)
{
    preventJackServerStart();
    lastError.clear();
    const MidiApiKind api = MidiService::alsaAvailable() ? MidiApiKind::Alsa : MidiApiKind::Jack;
    if (api == MidiApiKind::Jack && !MidiService::jackAvailable()) {
        if (error)
            *error = QStringLiteral("There is neither an ALSA sequencer nor a running JACK server.");
        return nullptr;
    }
    try {
        auto impl = std::make_unique<Impl>();
        impl->callback = std::move(callback);
        impl->rt = makeInput(api, clientNameStd(" In"), impl.get());
        impl->rt->setCallback(&Impl::onMessage, impl.get());
        impl->rt->openVirtualPort(portName.toStdString());
        impl->name = portName;
        return std::unique_ptr<MidiInputDevice>(new MidiInputDevice(std::move(impl)));
    } catch (const RtMidiError& e) {
        if (error)
            *error = QString::fromStdString(e.getMessage());
        return nullptr;
    }
}

bool MidiInputDevice::start()
{
    d->started = true;
    return true;
}

bool MidiInputDevice::stop()
{
    d->started = false;
    return true;
}

bool MidiInputDevice::isStarted() const { return d->started.load(); }

QString MidiInputDevice::name() const { return d->name; }

} // namespace sondrake::platform
