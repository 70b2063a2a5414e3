#include "library/Library.h"

#include <QPointer>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

namespace sondrake::library {

namespace {
    // An arrival that finds the file held by another program waits the busy
    // timeout, then this long between tries, this many times.
    constexpr auto kRetryPause = std::chrono::seconds(2);
    constexpr int kTries = 4;
    constexpr int kCloseWaitMs = 8000;
    // Readers in WAL mode wait only in rare moments (another program opening
    // the file after a crash); the window waits no longer than this for them.
    constexpr int kReaderBusyTimeoutMs = 500;
}

struct Library::Worker {
    explicit Worker(int busyTimeoutMs)
        : db(busyTimeoutMs)
    {
    }

    LibraryDatabase db; // used on the thread only
    std::mutex mutex;
    std::condition_variable wake; // a job or the stop
    std::condition_variable idle; // pending reached 0
    std::deque<std::function<bool(LibraryDatabase&)>> jobs;
    int pending = 0; // queued or running
    bool stopping = false;
    std::thread thread;

    void run()
    {
        // Archiving can wait; the window and the MIDI threads cannot. On a
        // small machine a bank read's archive would otherwise take the core
        // the window needs for the next sound.
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10);
        for (;;) {
            std::function<bool(LibraryDatabase&)> job;
            {
                std::unique_lock lock(mutex);
                wake.wait(lock, [&] { return stopping || !jobs.empty(); });
                if (jobs.empty())
                    break;
                job = std::move(jobs.front());
                jobs.pop_front();
            }
            // A job returns false while the file is busy: it is tried again
            // (it reports its own failure after its last try).
            for (int tries = 1; !job(db) && tries < kTries; ++tries) {
                std::unique_lock lock(mutex);
                if (wake.wait_for(lock, kRetryPause, [&] { return stopping; }))
                    break;
            }
            bool more = false;
            {
                std::lock_guard lock(mutex);
                more = !jobs.empty();
            }
            // Nothing waits: the time to move the journal into the file.
            if (!more)
                db.checkpoint();
            std::lock_guard lock(mutex);
            if (--pending == 0)
                idle.notify_all();
        }
        db.close();
    }
};

Library::Library(const QString& path, int busyTimeoutMs, QObject* parent)
    : QObject(parent)
    , m_path(path)
    , m_worker(std::make_unique<Worker>(busyTimeoutMs))
    , m_reader(std::min(busyTimeoutMs, kReaderBusyTimeoutMs))
{
    m_worker->thread = std::thread([w = m_worker.get()] { w->run(); });
}

Library::~Library()
{
    waitForIdle(kCloseWaitMs);
    // The writer closes last: the last connection to close folds the
    // journal into the file and removes it, which a reader cannot do.
    m_reader.close();
    {
        std::lock_guard lock(m_worker->mutex);
        m_worker->stopping = true;
        m_worker->jobs.clear();
    }
    m_worker->wake.notify_all();
    m_worker->thread.join();
}

void Library::post(std::function<bool(LibraryDatabase&)> job)
{
    {
        std::lock_guard lock(m_worker->mutex);
        m_worker->jobs.push_back(std::move(job));
        ++m_worker->pending;
    }
    m_worker->wake.notify_one();
}

bool Library::waitForIdle(int timeoutMs)
{
    std::unique_lock lock(m_worker->mutex);
    return m_worker->idle.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_worker->pending == 0; });
}

void Library::open()
{
    if (m_state != State::Closed)
        return;
    m_state = State::Opening;
    QPointer<Library> self(this);
    const QString path = m_path;
    post([self, path](LibraryDatabase& db) {
        const OpenResult result = db.open(path);
        QMetaObject::invokeMethod(self, [self, result] { if (self) self->onWorkerOpened(result); }, Qt::QueuedConnection);
        return true;
    });
}

void Library::onWorkerOpened(const OpenResult& result)
{
    OpenResult outcome = result;
    if (outcome.ok) {
        const OpenResult reading = m_reader.openForReading(m_path);
        if (!reading.ok)
            outcome = { false, reading.line };
    }
    m_state = outcome.ok ? State::Open : State::Off;
    emit opened(outcome.ok, outcome.line);
}

void Library::archive(std::vector<SoundDump> dumps, const QString& source)
{
    if (m_state == State::Off || m_state == State::Closed || dumps.empty())
        return;
    QPointer<Library> self(this);
    auto tries = std::make_shared<int>(0);
    post([self, dumps = std::move(dumps), source, tries, when = QDateTime::currentDateTimeUtc()](LibraryDatabase& db) {
        if (!db.isOpen())
            return true;
        const ArchiveResult result = db.archive(dumps, source, when);
        if (result.busy && ++*tries < kTries)
            return false;
        QMetaObject::invokeMethod(
            self,
            [self, result, source] {
                if (!self)
                    return;
                if (!result.ok) {
                    emit self->message(Library::tr("The sound library could not keep the sounds of %1: %2")
                                           .arg(source, result.error));
                    return;
                }
                emit self->archived(result.newSounds, result.sounds);
                emit self->changed();
            },
            Qt::QueuedConnection);
        return true;
    });
}

void Library::archive(const SoundDump& dump, const QString& source) { archive(std::vector<SoundDump> { dump }, source); }

namespace {
    // Posts a write that reports only its failure and its commit.
    template <typename Write>
    std::function<bool(LibraryDatabase&)> simpleWrite(QPointer<Library> self, QString what, Write write,
        void (Library::*messageSignal)(const QString&), void (Library::*changedSignal)())
    {
        return [self, what, write, messageSignal, changedSignal](LibraryDatabase& db) {
            if (!db.isOpen())
                return true;
            QString error;
            const bool ok = write(db, &error);
            QMetaObject::invokeMethod(
                self,
                [self, ok, error, what, messageSignal, changedSignal] {
                    if (!self)
                        return;
                    if (ok)
                        emit(self->*changedSignal)();
                    else
                        emit(self->*messageSignal)(
                            Library::tr("The sound library could not %1: %2").arg(what, error));
                },
                Qt::QueuedConnection);
            return true;
        };
    }
}

void Library::setFavourite(qint64 id, bool on)
{
    if (m_state == State::Open)
        post(simpleWrite(
            this, Library::tr("mark the favourite"),
            [id, on](LibraryDatabase& db, QString* e) { return db.setFavourite(id, on, e); },
            &Library::message, &Library::changed));
}

void Library::setTags(qint64 id, const QStringList& tags)
{
    if (m_state == State::Open)
        post(simpleWrite(
            this, Library::tr("keep the tags"),
            [id, tags](LibraryDatabase& db, QString* e) { return db.setTags(id, tags, e); },
            &Library::message, &Library::changed));
}

void Library::setComment(qint64 id, const QString& comment)
{
    if (m_state == State::Open)
        post(simpleWrite(
            this, Library::tr("keep the comment"),
            [id, comment](LibraryDatabase& db, QString* e) { return db.setComment(id, comment, e); },
            &Library::message, &Library::changed));
}

void Library::remove(const QList<qint64>& ids)
{
    if (m_state != State::Open || ids.isEmpty())
        return;
    m_similarRemoved = true;
    post(simpleWrite(
        this, Library::tr("delete the sounds"),
        [ids](LibraryDatabase& db, QString* e) { return db.remove(ids, e); }, &Library::message,
        &Library::changed));
}

void Library::importFiles(const QStringList& paths)
{
    if (m_state != State::Open)
        return;
    QPointer<Library> self(this);
    post([self, paths](LibraryDatabase& db) {
        const ImportResult result = db.importFiles(paths);
        QMetaObject::invokeMethod(
            self,
            [self, result] {
                if (!self)
                    return;
                for (const QString& line : result.errors)
                    emit self->message(Library::tr("The sound library could not import %1").arg(line));
                emit self->imported(result);
                emit self->changed();
            },
            Qt::QueuedConnection);
        return true;
    });
}

LibraryDatabase* Library::reader() { return m_state == State::Open ? &m_reader : nullptr; }

void Library::prepareSimilar()
{
    if (m_state != State::Open || m_similarState != Similar::NotRead)
        return;
    m_similarState = Similar::Reading;
    QPointer<Library> self(this);
    post([self](LibraryDatabase& db) {
        if (!db.isOpen())
            return true;
        auto read = std::make_shared<SimilarSounds>();
        read->update(db);
        QMetaObject::invokeMethod(
            self,
            [self, read] {
                // Not when similar() was quicker and read them itself.
                if (self && self->m_similarState == Similar::Reading) {
                    self->m_similar = std::move(*read);
                    self->m_similarState = Similar::Read;
                }
            },
            Qt::QueuedConnection);
        return true;
    });
}

QList<Neighbour> Library::similar(qint64 id, int count)
{
    if (m_state != State::Open)
        return {};
    m_similarState = Similar::Read;
    if (m_similarRemoved) {
        m_similar.forget();
        m_similarRemoved = false;
    }
    m_similar.update(m_reader);
    return m_similar.nearest(id, count);
}

} // namespace sondrake::library
