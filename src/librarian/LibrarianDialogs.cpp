#include "librarian/LibrarianDialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace sondrake {

namespace {

QString filter() { return QCoreApplication::translate("LibrarianDialogs", "SysEx Files (*.syx)"); }

} // namespace

void LibrarianDialogs::remember(const QString& path)
{
    if (!path.isEmpty())
        m_lastFolder = QFileInfo(path).absolutePath();
}

LibrarianDialogs::Answer LibrarianDialogs::ask(QWidget* parent, const QString& question, bool withCancel)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    const auto answer = QMessageBox::question(parent, QCoreApplication::translate("LibrarianDialogs", "Confirm"), question, buttons, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return Answer::Yes;
    if (answer == QMessageBox::Cancel)
        return Answer::Cancel;
    if (answer == QMessageBox::No)
        return Answer::No;
    return withCancel ? Answer::Cancel : Answer::No;
}

QString LibrarianDialogs::openFile(QWidget* parent)
{
    const QString path = QFileDialog::getOpenFileName(parent, QString(), m_lastFolder, filter());
    remember(path);
    return path;
}

QString LibrarianDialogs::saveFile(QWidget* parent)
{
    QFileDialog dialog(parent, QString(), m_lastFolder, filter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("syx"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString path = dialog.selectedFiles().constFirst();
    remember(path);
    return path;
}

int LibrarianDialogs::exec(QDialog& dialog) { return dialog.exec(); }

void LibrarianDialogs::warn(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, QCoreApplication::applicationName(), text);
}

} // namespace sondrake
