#include "midi/MidiIn.h"

#include "platform/MidiService.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>
#include <mutex>

namespace sondrake::midi {

struct MidiInPort::Impl {
    mutable std::mutex mutex; // guards the armed buffer; the back end's thread fills it
    std::unique_ptr<platform::MidiInputDevice> device;
    bool openWithoutDevice = false;
    bool armed = false;
    std::size_t armedLength = 0;
    std::function<void(const ReceivedSysEx&)> handler; // GUI thread only
};

MidiInPort& MidiInPort::instance()
{
    static MidiInPort port;
    return port;
}

MidiInPort::MidiInPort()
    : d(std::make_unique<Impl>())
{
}

MidiInPort::~MidiInPort()
{
    close();
}

bool MidiInPort::open(int deviceIndex, QString* error)
{
    close();
    auto device = platform::MidiInputDevice::open(
        deviceIndex, [this](const std::uint8_t* data, std::size_t size) { deliverFromBackend(data, size); }, error);
    if (!device)
        return false;
    std::lock_guard lock(d->mutex);
    d->device = std::move(device);
    return true;
}

void MidiInPort::openWithoutDevice()
{
    close();
    std::lock_guard lock(d->mutex);
    d->openWithoutDevice = true;
}

bool MidiInPort::start()
{
    std::lock_guard lock(d->mutex);
    if (d->device)
        return d->device->start();
    return d->openWithoutDevice;
}

bool MidiInPort::stop()
{
    std::lock_guard lock(d->mutex);
    if (d->device)
        return d->device->stop();
    return d->openWithoutDevice;
}

void MidiInPort::close()
{
    std::unique_ptr<platform::MidiInputDevice> device;
    {
        std::lock_guard lock(d->mutex);
        device = std::move(d->device);
        d->openWithoutDevice = false;
        d->armed = false;
    }
    // Destroyed outside the lock: closing waits for a callback that may be
    // running and wants the lock.
    device.reset();
}

bool MidiInPort::isOpen() const
{
    std::lock_guard lock(d->mutex);
    return d->device != nullptr || d->openWithoutDevice;
}

int MidiInPort::arm(std::size_t length)
{
    std::lock_guard lock(d->mutex);
    if (!d->device && !d->openWithoutDevice)
        return kErrorNotOpen;
    d->armed = true;
    d->armedLength = length;
    return 0;
}

bool MidiInPort::isArmed() const
{
    std::lock_guard lock(d->mutex);
    return d->armed;
}

void MidiInPort::disarm()
{
    std::lock_guard lock(d->mutex);
    d->armed = false;
}

void MidiInPort::setHandler(std::function<void(const ReceivedSysEx&)> handler)
{
    d->handler = std::move(handler);
}

void MidiInPort::deliverFromBackend(const std::uint8_t* data, std::size_t size)
{
    if (!data || size == 0 || data[0] != 0xF0)
        return; // only system-exclusive messages fill the buffer
    ReceivedSysEx copy;
    {
        std::lock_guard lock(d->mutex);
        if (!d->armed)
            return; // no buffer queued: the message is lost, as on the wire
        d->armed = false;
        copy.bytes.assign(data, data + std::min(size, d->armedLength));
        copy.messageSize = size;
    }
    Impl* impl = d.get();
    auto run = [impl, copy = std::move(copy)] {
        if (impl->handler)
            impl->handler(copy);
    };
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, std::move(run), Qt::QueuedConnection);
    else
        run();
}

} // namespace sondrake::midi
