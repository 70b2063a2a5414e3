#pragma once

// The library's commands of the program's command line, which run without a
// window (and without a display):
//   --import FILE...         archives bank and sound files; prints, for each
//                            file once it is committed, how many of its
//                            sounds were new, then the total
//   --export-library DIR     writes every sound as DIR/<name>.syx
//   --library FILE           uses FILE instead of the usual library.sqlite

#include <QString>
#include <QStringList>

#include <cstdio>

namespace sondrake::library {

// Returns the exit code: 0, or 1 after the reason went to err.
int runImport(const QString& libraryFile, const QStringList& files, std::FILE* out, std::FILE* err);
int runExport(const QString& libraryFile, const QString& folder, std::FILE* out, std::FILE* err);

} // namespace sondrake::library
