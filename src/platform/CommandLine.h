#pragma once

// The command line shared by both programs.

class QCommandLineParser;

namespace sondrake::platform {

// Gives the parser the --help and --version options and the program's
// description. The application name and version must be set before.
void addStandardOptions(QCommandLineParser& parser, const char* description);

// --help and --version (and their short forms) are answered before any
// window system is touched, so they work without a display: in a terminal
// over ssh, in a package build, in a test. Prints and ends the program when
// one of them is given (or the command line holds a mistake); returns
// otherwise, and the caller processes the command line again once its
// application object exists.
void answerHelpAndVersion(QCommandLineParser& parser, int& argc, char** argv);

} // namespace sondrake::platform
