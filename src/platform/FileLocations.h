#pragma once

// Where the settings file and the sound-family schemas live. A copy of the
// program in a folder its user may write to (a build tree, a portable copy,
// or any copy started with --portable) keeps them beside the executable, as
// it always did. An installed program's folder is read-only for its users,
// and one that root or a user's own prefix could write to is no place for
// them either: then each user's files go to the per-user folders of the
// platform, and schemas put beside the program or into the shared data
// folders are offered too, read-only.

#include <QString>
#include <QStringList>

namespace sondrake::platform {

struct FileLocations {
    bool besideProgram = true; // false: the per-user folders are used
    QString settingsFolder; // holds the settings file; may not exist yet
    QString schemaFolder; // where schemas are saved; may not exist yet
    QStringList schemaFolders; // where schemas are looked for, schemaFolder first
    // The sound library's database: beside the settings file when the program
    // keeps its files beside itself, else in the per-user data folder (a
    // database is data, not configuration). May not exist yet.
    QString libraryFile;
};

inline constexpr const char* kLibraryFileName = "library.sqlite";

// The decision for a program living in programFolder; main() makes it once,
// from the program's own folder and the --portable switch, and hands the
// result to the windows.
FileLocations chooseFileLocations(const QString& programFolder, bool portable);

// The program was installed: its desktop entry sits in the share folder
// beside its bin folder (as "cmake --install" and the package put it).
bool isInstalledCopy(const QString& programFolder);

// True when a file can really be created in folder. The mode bits alone do not
// tell: root may write where they forbid it, and nobody may write to a
// read-only mount whatever they say.
bool isWritableFolder(const QString& folder);

// Creates the folder a file is about to be saved into (the per-user folders
// do not exist before the first save). False with the reason otherwise.
bool makeFolderFor(const QString& filePath, QString* error);

} // namespace sondrake::platform
