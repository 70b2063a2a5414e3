#include "platform/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdlib>
#include <cstring>

namespace sondrake::platform {

void addStandardOptions(QCommandLineParser& parser, const char* description)
{
    // The callers mark their description with QT_TRANSLATE_NOOP("CommandLine", ...).
    parser.setApplicationDescription(QCoreApplication::translate("CommandLine", description));
    parser.addHelpOption();
    parser.addVersionOption();
}

void answerHelpAndVersion(QCommandLineParser& parser, int& argc, char** argv)
{
    bool asked = false;
    for (int i = 1; i < argc && !asked; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        for (const char* option : { "-h", "--help", "-?", "--help-all", "-v", "--version" })
            asked = asked || std::strcmp(argv[i], option) == 0;
    }
    if (!asked)
        return;
    QCoreApplication app(argc, argv);
    parser.process(app); // prints the answer and exits
    std::exit(EXIT_SUCCESS);
}

} // namespace sondrake::platform
