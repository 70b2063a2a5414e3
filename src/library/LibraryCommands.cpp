#include "library/LibraryCommands.h"

#include "library/LibraryDatabase.h"

#include <QCoreApplication>
#include <QDir>

namespace sondrake::library {

namespace {
    void print(std::FILE* to, const QString& line)
    {
        std::fputs(line.toLocal8Bit().constData(), to);
        std::fputc('\n', to);
        std::fflush(to);
    }

    bool openOrSay(LibraryDatabase& db, const QString& file, std::FILE* err)
    {
        const OpenResult opened = db.open(file);
        if (!opened.line.isEmpty())
            print(err, opened.line);
        return opened.ok;
    }
}

int runImport(const QString& libraryFile, const QStringList& files, std::FILE* out, std::FILE* err)
{
    if (files.isEmpty()) {
        print(err,
            QCoreApplication::translate("LibraryCommands", "--import needs at least one bank or sound file"));
        return 1;
    }
    LibraryDatabase db;
    if (!openOrSay(db, libraryFile, err))
        return 1;
    const ImportResult result
        = db.importFiles(files, [out](const QString& path, const ArchiveResult& archived) {
              print(out,
                  QCoreApplication::translate("LibraryCommands", "%1: %2 new of %3 sounds")
                      .arg(QDir::toNativeSeparators(path))
                      .arg(archived.newSounds)
                      .arg(archived.sounds));
          });
    for (const QString& line : result.errors)
        print(err, line);
    print(out,
        QCoreApplication::translate("LibraryCommands", "%1 new sounds (%2 sounds in %3 files)")
            .arg(result.newSounds)
            .arg(result.sounds)
            .arg(result.files));
    return result.errors.isEmpty() ? 0 : 1;
}

int runExport(const QString& libraryFile, const QString& folder, std::FILE* out, std::FILE* err)
{
    LibraryDatabase db;
    if (!openOrSay(db, libraryFile, err))
        return 1;
    const ExportResult result = db.exportLibrary(folder);
    for (const QString& line : result.errors)
        print(err, line);
    print(out,
        QCoreApplication::translate("LibraryCommands", "%1 sounds written to %2")
            .arg(result.written)
            .arg(QDir::toNativeSeparators(folder)));
    return result.errors.isEmpty() ? 0 : 1;
}

} // namespace sondrake::library
