// The sound library at 100,000 sounds: archiving a bank read of 100 sounds,
// a name search, a two-condition parameter search, "Similar Sounds", opening
// the list, and the size of the file.
//
// The 100,000 sounds are generated once (random valid values written through
// the parameter map, names from a word list) into bench-library-100k.sqlite
// beside the program and reused by later runs.
//
//   cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench --target bench_library
//   build-bench/bin/bench_library --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// or ./bench.sh bench_library

#include "librarian/LibraryWindow.h"
#include "library/Library.h"
#include "library/LibraryDatabase.h"
#include "library/LibraryModel.h"
#include "library/SimilarSounds.h"
#include "parametermap/ParameterMap.h"
#include "store/SoundStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QEventLoop>
#include <QTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace sondrake;
using namespace sondrake::library;

namespace {

constexpr int kSounds = 100000;

SoundDump randomSound(QRandomGenerator& random)
{
    static const char* const words[] = { "Pad", "Bass", "Lead", "Warm", "Dark", "Glass", "Sweep", "Pluck", "Brass",
        "Choir", "Arp", "Soft", "Hard", "Acid", "Wide", "Deep" };
    SoundDump d {};
    d.front() = 0xF0;
    d.back() = 0xF7;
    for (std::size_t i = 1; i < 11; ++i)
        d[i] = std::uint8_t(i);
    for (const auto& entry : parametermap::parameterMap())
        parametermap::writeValue(d, entry, entry.minimum + int(random.bounded(entry.maximum - entry.minimum + 1)));
    const std::string name = std::string(words[random.bounded(16)]) + " " + words[random.bounded(16)] + " "
        + std::to_string(random.bounded(1000));
    writeName(d, name);
    return d;
}

QString bigLibrary()
{
    static const QString path = [] {
        const QString file = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("bench-library-100k.sqlite"));
        LibraryDatabase db;
        if (db.open(file).ok && db.count() >= kSounds)
            return file;
        db.close();
        for (const char* suffix : { "", "-wal", "-shm" })
            QFile::remove(file + QLatin1String(suffix));
        if (!db.open(file).ok)
            return QString();
        QRandomGenerator random(25);
        std::vector<SoundDump> batch;
        for (int n = 0; n < kSounds; ++n) {
            batch.push_back(randomSound(random));
            if (batch.size() == 1000) {
                db.archive(batch, QStringLiteral("generated"));
                batch.clear();
            }
        }
        return file;
    }();
    return path;
}

void openAndWait(Library& library)
{
    QEventLoop loop;
    QObject::connect(&library, &Library::opened, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    library.open();
    loop.exec();
}

QString copyOfBigLibrary(QTemporaryDir& dir)
{
    const QString copy = dir.filePath(QStringLiteral("library.sqlite"));
    QFile::copy(bigLibrary(), copy);
    return copy;
}

// A bank read of 100 sounds the library has not seen, into the 100,000.
void BM_LibraryArchiveBankRead(benchmark::State& state)
{
    QTemporaryDir dir;
    LibraryDatabase db;
    if (!db.open(copyOfBigLibrary(dir)).ok)
        return state.SkipWithError("no library");
    QRandomGenerator random(99);
    double checkpointMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<SoundDump> bank;
        for (int i = 0; i < 100; ++i)
            bank.push_back(randomSound(random));
        state.ResumeTiming();
        const ArchiveResult r = db.archive(bank, sources::received(1, 0));
        if (r.newSounds != 100)
            state.SkipWithError("not archived");
        // What the library's thread does next when nothing else waits; no
        // one waits for it, but it is its work too.
        state.PauseTiming();
        QElapsedTimer t;
        t.start();
        db.checkpoint();
        checkpointMs += double(t.nsecsElapsed()) / 1e6;
        state.ResumeTiming();
    }
    state.counters["checkpoint_ms"] = checkpointMs / double(state.iterations());
}
BENCHMARK(BM_LibraryArchiveBankRead)->Unit(benchmark::kMillisecond);

// What the GUI thread pays for the same: the call hands the dumps on.
void BM_LibraryArchiveCallOnGuiThread(benchmark::State& state)
{
    QTemporaryDir dir;
    Library library(dir.filePath(QStringLiteral("library.sqlite")));
    openAndWait(library);
    QRandomGenerator random(98);
    std::vector<SoundDump> bank;
    for (int i = 0; i < 100; ++i)
        bank.push_back(randomSound(random));
    for (auto _ : state) {
        library.archive(bank, sources::received(1, 0));
        state.PauseTiming();
        library.waitForIdle(10000);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LibraryArchiveCallOnGuiThread)->Unit(benchmark::kMicrosecond)->Iterations(20);

// Searches run on the window's connection, as in the program.
void search(benchmark::State& state, const QString& text)
{
    LibraryDatabase db(500);
    if (!db.openForReading(bigLibrary()).ok)
        return state.SkipWithError("no library");
    const SearchQuery query = parseSearch(text);
    qsizetype found = 0;
    for (auto _ : state)
        found = db.search(query).size();
    state.counters["found"] = double(found);
}

void BM_LibraryNameSearch(benchmark::State& state) { search(state, QStringLiteral("glass pad")); }
BENCHMARK(BM_LibraryNameSearch)->Unit(benchmark::kMillisecond);

void BM_LibraryParameterSearch(benchmark::State& state)
{
    search(state, QStringLiteral("osc1 waveform = SAWTOOTH filter frequency > 100"));
}
BENCHMARK(BM_LibraryParameterSearch)->Unit(benchmark::kMillisecond);

// Two parameters without an index of their own: one pass over the value table.
void BM_LibraryParameterSearchUnindexed(benchmark::State& state)
{
    search(state, QStringLiteral("amp env release > 100 lfo 1 speed < 20"));
}
BENCHMARK(BM_LibraryParameterSearchUnindexed)->Unit(benchmark::kMillisecond);

// The first question reads the values of all sounds; later ones only compare.
void BM_LibrarySimilarSoundsFirst(benchmark::State& state)
{
    LibraryDatabase db;
    if (!db.open(bigLibrary()).ok)
        return state.SkipWithError("no library");
    for (auto _ : state) {
        SimilarSounds similar;
        similar.update(db);
        if (similar.nearest(kSounds / 2, 50).size() != 50)
            state.SkipWithError("no neighbours");
    }
}
BENCHMARK(BM_LibrarySimilarSoundsFirst)->Unit(benchmark::kMillisecond);

void BM_LibrarySimilarSoundsAgain(benchmark::State& state)
{
    LibraryDatabase db;
    if (!db.open(bigLibrary()).ok)
        return state.SkipWithError("no library");
    SimilarSounds similar;
    similar.update(db);
    for (auto _ : state) {
        similar.update(db);
        benchmark::DoNotOptimize(similar.nearest(kSounds / 3, 50));
    }
}
BENCHMARK(BM_LibrarySimilarSoundsAgain)->Unit(benchmark::kMillisecond);

// Opening the library and its list of every sound, up to the first screen of rows.
void BM_LibraryModelOpen(benchmark::State& state)
{
    const QString file = bigLibrary();
    for (auto _ : state) {
        Library library(file);
        openAndWait(library);
        LibraryModel model(library);
        model.setSearch(QString());
        for (int row = 0; row < 40; ++row)
            benchmark::DoNotOptimize(model.data(model.index(row, LibraryModel::NameColumn)));
        if (model.rowCount() < kSounds)
            state.SkipWithError("short list");
    }
}
BENCHMARK(BM_LibraryModelOpen)->Unit(benchmark::kMillisecond);

// The window over 100,000 sounds, from Ctrl+B to its first paint (the
// library itself was opened at start-up).
void BM_LibraryWindowOpen(benchmark::State& state)
{
    const QString file = bigLibrary();
    Library library(file);
    openAndWait(library);
    for (auto _ : state) {
        LibraryWindow window(library);
        window.show();
        window.repaint();
        QCoreApplication::processEvents();
        if (window.model()->rowCount() < kSounds)
            state.SkipWithError("short list");
        state.PauseTiming();
        window.close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LibraryWindowOpen)->Unit(benchmark::kMillisecond);

void BM_LibraryDatabaseSize(benchmark::State& state)
{
    const QString file = bigLibrary();
    {
        // A checkpoint puts everything into the file whose size counts.
        LibraryDatabase db;
        db.open(file);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(QFileInfo(file).size());
    state.counters["size_mb"] = double(QFileInfo(file).size() + QFileInfo(file + QStringLiteral("-wal")).size()) / 1e6;
}
BENCHMARK(BM_LibraryDatabaseSize)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (bigLibrary().isEmpty())
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
