#pragma once

// Answers the librarian's questions and file dialogs from a script, and
// records what was asked, so window tests never show a modal box. A test
// hands it to the window in MainWindow::Options::dialogs.

#include "librarian/LibrarianDialogs.h"

#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>

namespace sondrake::testing {

class ScriptedDialogs : public LibrarianDialogs {
public:
    std::deque<Answer> answers; // taken in order; an unexpected question fails the test
    std::deque<QString> openPaths; // empty string = cancelled
    std::deque<QString> savePaths;
    std::function<int(QDialog&)> onExec; // fills in a dialog and returns its result
    std::function<void(const QString&)> onAsk; // sees the state at the moment a question is asked

    QStringList asked; // every question, in order
    QStringList warnings; // every warning box, in order
    int openCount = 0;
    int saveCount = 0;
    bool unexpected = false;

    Answer ask(QWidget*, const QString& question, bool withCancel) override
    {
        asked << question + (withCancel ? QStringLiteral(" [Yes/No/Cancel]") : QStringLiteral(" [Yes/No]"));
        if (onAsk)
            onAsk(question);
        if (answers.empty()) {
            unexpected = true;
            return withCancel ? Answer::Cancel : Answer::No;
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    QString openFile(QWidget*) override
    {
        ++openCount;
        if (openPaths.empty()) {
            unexpected = true;
            return QString();
        }
        const QString p = openPaths.front();
        openPaths.pop_front();
        return p;
    }
    QString saveFile(QWidget*) override
    {
        ++saveCount;
        if (savePaths.empty()) {
            unexpected = true;
            return QString();
        }
        const QString p = savePaths.front();
        savePaths.pop_front();
        return p;
    }
    int exec(QDialog& dialog) override { return onExec ? onExec(dialog) : int(QDialog::Rejected); }
    void warn(QWidget*, const QString& text) override { warnings << text; }

    // Nothing left over and nothing unexpected.
    bool allUsed() const { return !unexpected && answers.empty() && openPaths.empty() && savePaths.empty(); }
};

} // namespace sondrake::testing
