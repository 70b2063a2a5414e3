#include "platform/FileLocations.h"

#include "sondrake/Version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

namespace sondrake::platform {

namespace {

    void addFolder(QStringList& folders, const QString& folder)
    {
        if (folder.isEmpty())
            return;
        const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
        if (!folders.contains(clean))
            folders << clean;
    }

} // namespace

bool isInstalledCopy(const QString& programFolder)
{
    const QString entry = QStringLiteral("../share/applications/%1.desktop").arg(QString::fromLatin1(kDesktopId));
    return QFileInfo(QDir(programFolder).filePath(entry)).isFile();
}

FileLocations chooseFileLocations(const QString& programFolder, bool portable)
{
    FileLocations where;
    const QString program = QDir::cleanPath(QDir(programFolder).absolutePath());
    if (portable || (!isInstalledCopy(program) && isWritableFolder(program))) {
        where.settingsFolder = program;
        where.schemaFolder = program;
        where.schemaFolders = { program };
        where.libraryFile = QDir(program).filePath(QString::fromLatin1(kLibraryFileName));
        return where;
    }
    where.besideProgram = false;
    where.settingsFolder = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    where.schemaFolder = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    where.libraryFile = QDir(where.schemaFolder).filePath(QString::fromLatin1(kLibraryFileName));
    // The user's own schemas come first, so a schema saved under the name of
    // a shared one is the one that loads.
    addFolder(where.schemaFolders, where.schemaFolder);
    addFolder(where.schemaFolders, program);
    for (const QString& shared : QStandardPaths::standardLocations(QStandardPaths::AppDataLocation))
        addFolder(where.schemaFolders, shared);
    return where;
}

bool isWritableFolder(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".sondrake-write-test-XXXXXX")));
    return probe.open(); // removed again when probe goes
}

bool makeFolderFor(const QString& filePath, QString* error)
{
    const QString folder = QFileInfo(filePath).absolutePath();
    std::error_code code;
    std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(folder).toStdString()), code);
    if (!code)
        return true;
    if (error)
        *error = QCoreApplication::translate("FileLocations", "cannot create the folder %1: %2")
                     .arg(QDir::toNativeSeparators(folder), QString::fromLocal8Bit(code.message().c_str()));
    return false;
}

} // namespace sondrake::platform
