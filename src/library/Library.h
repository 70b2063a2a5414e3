#pragma once

// The sound library as the program holds it: main() owns one and hands it to
// whoever archives or shows sounds.
//
// Writes (archiving, favourite, tags, comment, deletion, import) go, in the
// order they were asked for, to a thread of the library's own with its own
// connection: each call returns at once, so a bank read stays as fast as
// before and a busy or locked file never stalls the window. An arrival that
// finds the file held by another program is tried again a few times before
// it is given up with a line in Messages. Reads (the window's list, the
// details, the searches) use a second connection on the GUI thread; in WAL
// mode readers never wait for the writer.
//
// A library that cannot be opened is off for the run: every call is then
// a no-op, and the program works as without it.

#include "library/LibraryDatabase.h"
#include "library/SimilarSounds.h"

#include <QObject>

#include <memory>
#include <vector>

namespace sondrake::library {

class Library : public QObject {
    Q_OBJECT

public:
    enum class State { Closed, Opening, Open, Off };

    explicit Library(const QString& path, int busyTimeoutMs = kDefaultBusyTimeoutMs, QObject* parent = nullptr);
    // Lets the queued writes finish (a few seconds at most), then stops.
    ~Library() override;

    // Opens the file on the library's thread; opened() tells the outcome.
    void open();
    State state() const { return m_state; }
    bool isAvailable() const { return m_state == State::Open; }
    QString path() const { return m_path; }

    // One arrival of sounds: all in one transaction. Empty slots are skipped.
    // Writes asked for before open() or after the library went off are
    // dropped; those asked for while it opens wait for it.
    void archive(std::vector<SoundDump> dumps, const QString& source);
    void archive(const SoundDump& dump, const QString& source);
    void setFavourite(qint64 id, bool on);
    void setTags(qint64 id, const QStringList& tags);
    void setComment(qint64 id, const QString& comment);
    void remove(const QList<qint64>& ids);
    void importFiles(const QStringList& paths);

    // Blocks until every write asked for so far is done (closing, tests).
    bool waitForIdle(int timeoutMs);

    // The GUI thread's connection; nullptr while the library is not open.
    LibraryDatabase* reader();
    // The sounds nearest to id, nearest first. The first question reads the
    // values of every sound unless prepareSimilar() had them read before,
    // on the library's thread (the window asks for that when it opens).
    QList<Neighbour> similar(qint64 id, int count);
    void prepareSimilar();

signals:
    void opened(bool available, const QString& line); // line: for Messages, may be empty
    void message(const QString& line); // a write that failed, for Messages
    void changed(); // a write was committed: lists may read again
    void archived(int newSounds, int sounds);
    void imported(const sondrake::library::ImportResult& result);

private:
    struct Worker;
    void post(std::function<bool(LibraryDatabase&)> job);
    void onWorkerOpened(const OpenResult& result);

    QString m_path;
    State m_state = State::Closed;
    std::unique_ptr<Worker> m_worker;
    LibraryDatabase m_reader;
    SimilarSounds m_similar;
    enum class Similar { NotRead, Reading, Read } m_similarState = Similar::NotRead;
    bool m_similarRemoved = false;
};

} // namespace sondrake::library
