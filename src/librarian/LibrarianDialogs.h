#pragma once

// The questions and file dialogs of the librarian's file commands. The
// window asks through the one object it was handed (or its own), so a test
// can answer the questions, choose the paths and fill in a dialog without a
// modal box appearing.

#include <QString>

class QDialog;
class QWidget;

namespace sondrake {

class LibrarianDialogs {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~LibrarianDialogs() = default;

    // A confirmation box with Yes and No, and Cancel when withCancel.
    // Closing the box counts as No (or Cancel when there is one).
    virtual Answer ask(QWidget* parent, const QString& question, bool withCancel = false);
    // The open dialog shared by loading, sending a file and the autoload
    // choice ("SysEx Files|*.syx"). Empty when cancelled.
    virtual QString openFile(QWidget* parent);
    // The save dialog ("SysEx Files|*.syx", a name without extension gets
    // ".syx"). It never asks about replacing: the commands do that.
    virtual QString saveFile(QWidget* parent);
    // Shows a dialog modally and returns its result.
    virtual int exec(QDialog& dialog);
    // A warning box with an OK button, for failures the user must see even
    // when the Messages box is out of sight.
    virtual void warn(QWidget* parent, const QString& text);

private:
    void remember(const QString& path);

    // The last folder used, so the next dialog opens where the user was.
    QString m_lastFolder;
};

} // namespace sondrake
