// Bank files, the autoload file, the settings file and the closing sequence.
#include "librarian/MainWindow.h"

#include "platform/BankFile.h"
#include "librarian/LibrarianDialogs.h"
#include "librarian/Settings.h"
#include "librarian/SoundListView.h"
#include "librarian/AutoloadDialog.h"
#include "platform/FileLocations.h"
#include "platform/Messages.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace sondrake {

namespace {

QString quoted(const QString& path) { return QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(path)); }

QString bankSaveFailure(const QString& path, const QString& error)
{
    return QCoreApplication::translate("sondrake::MainWindow",
        "Could not save the bank file %1: %2. The previous file, if any, is unchanged; "
        "choose a folder you may write to or free some disk space, then save again.")
        .arg(quoted(path), error);
}

} // namespace

QString MainWindow::settingsFileIn(const platform::FileLocations& where)
{
    return QDir(where.settingsFolder).filePath(QString::fromLatin1(settings::kFileName));
}

// ---- bank files -------------------------------------------------------------

bool MainWindow::loadBankFile(const QString& path)
{
    QFile file;
    QString error;
    if (!bankfile::openForReading(path, file, &error)) {
        addMessage(tr("Could not open the bank file %1: %2. No sound was changed; "
                      "check that the file exists and that you may read it.")
                       .arg(quoted(path), error));
        return false;
    }
    m_selectionList.clear();
    const bankfile::LoadResult result = bankfile::loadBlocks(file, m_store);
    file.close();
    rebuildList();
    std::vector<int> loaded(std::size_t(std::max(0, result.blocksLoaded)));
    for (std::size_t k = 0; k < loaded.size(); ++k)
        loaded[k] = int(k);
    archiveSlots(loaded, path);

    if (!result.ok) {
        addMessage(tr("Reading the bank file %1 failed after %2 sounds: %3. "
                      "Those sounds were loaded, the other slots are unchanged.")
                       .arg(quoted(path))
                       .arg(result.blocksLoaded)
                       .arg(result.error));
        return false;
    }
    if (result.blocksIgnored > 0)
        addMessage(tr("The bank file %1 holds %2 more sounds than the 200 slots; "
                      "the first 200 were loaded and %2 ignored.")
                       .arg(quoted(path))
                       .arg(result.blocksIgnored));
    else if (result.moreIgnored)
        addMessage(tr("%1 holds more than 200 sounds; the first 200 were loaded and the rest ignored.")
                       .arg(quoted(path)));
    if (result.trailingBytes > 0)
        addMessage(tr("The last %1 bytes of %2 are not a whole sound of 270 bytes and were ignored.")
                       .arg(result.trailingBytes)
                       .arg(quoted(path)));
    else if (result.blocksLoaded == 0)
        addMessage(tr("The bank file %1 is empty; no sound was changed.").arg(quoted(path)));
    return true;
}

bool MainWindow::saveBankFile(const QString& path, QString* reason)
{
    QString error;
    if (!bankfile::saveSlots(path, m_store, 0, kSlotCount, &error)) {
        addMessage(bankSaveFailure(path, error));
        if (reason)
            *reason = error;
        return false;
    }
    m_selectionList.clear();
    rebuildList();
    return true;
}

void MainWindow::onSaveBankFile()
{
    guarded([this] {
        LibrarianDialogs& dialogs = m_dialogs;
        const QString path = dialogs.saveFile(this);
        if (path.isEmpty())
            return;
        if (QFileInfo::exists(path)
            && dialogs.ask(this, tr("Do you want to replace it?")) != LibrarianDialogs::Answer::Yes)
            return;
        QString error;
        if (!bankfile::saveSlots(path, m_store, 0, m_store.count(), &error))
            addMessage(bankSaveFailure(path, error));
    });
}

void MainWindow::onSaveSeparateFiles()
{
    guarded([this] {
        LibrarianDialogs& dialogs = m_dialogs;
        const QString base = dialogs.saveFile(this);
        if (base.isEmpty())
            return;
        if (selectedRows().size() < 2
            && dialogs.ask(this, tr("Select all?")) == LibrarianDialogs::Answer::Yes)
            onSelectAll();
        for (int r : selectedRows()) {
            if (!isValidSlot(r))
                continue;
            const QString path = bankfile::separateFileName(base, r);
            if (QFileInfo::exists(path)) {
                const auto answer = dialogs.ask(this, tr("Do you want to replace it?"), true);
                if (answer == LibrarianDialogs::Answer::Cancel)
                    return;
                if (answer == LibrarianDialogs::Answer::No)
                    continue;
            }
            QString error;
            if (!bankfile::saveSlots(path, m_store, r, 1, &error)) {
                addMessage(tr("Could not save the sound file %1: %2. The previous file, if any, is unchanged; "
                              "choose a folder you may write to or free some disk space, then save again. "
                              "The sounds after it were not saved.")
                               .arg(quoted(path), error));
                return;
            }
        }
    });
}

void MainWindow::onLoadBankFile()
{
    guarded([this] {
        //: A command word, put into "Still sending the selected sounds; %1 again when sending has ended"
        if (refuseWhileSending(tr("load")))
            return;
        LibrarianDialogs& dialogs = m_dialogs;
        if (dialogs.ask(this, tr("Save changes ?")) == LibrarianDialogs::Answer::Yes)
            onSaveSeparateFiles();
        const QString path = dialogs.openFile(this);
        if (!path.isEmpty())
            changeStore(tr("Load '%1'").arg(QFileInfo(path).fileName()), [&] { loadBankFile(path); });
    });
}

// ---- autoload dialog --------------------------------------------------------

void MainWindow::onAutoloadSettings()
{
    guarded([this] {
        AutoloadDialog dialog(m_dialogs, this);
        dialog.setAutoloadFileName(m_settings.autoloadFile);
        if (m_dialogs.exec(dialog) == QDialog::Accepted)
            m_settings.autoloadFile = dialog.autoloadFileName();
    });
}

// ---- settings file ----------------------------------------------------------

void MainWindow::readSettings()
{
    m_store.resetSoundNames();
    Settings values;
    QString error;
    const QString path = settingsFilePath();
    if (!settings::load(path, values, &error))
        addMessage(tr("Could not read the settings file %1: %2. The default settings are used, "
                      "and the file is left as it is.")
                       .arg(quoted(path), error));
    m_settings = values;

    if (!m_settings.autoloadFile.isEmpty()) {
        QFile probe;
        if (bankfile::openForReading(m_settings.autoloadFile, probe, &error)) {
            probe.close();
            loadBankFile(m_settings.autoloadFile);
        } else {
            addMessage(tr("Could not open the autoload bank file %1: %2. Every slot stays empty; "
                          "choose another file under System > Zoreduzor Settings.")
                           .arg(quoted(m_settings.autoloadFile), error));
        }
    }
    rebuildList();
}

bool MainWindow::writeSettings()
{
    QString error;
    const QString path = settingsFilePath();
    if (platform::makeFolderFor(path, &error) && settings::save(path, m_settings, &error))
        return true;
    const QString line = tr("Could not write the settings file %1: %2. The settings of this "
                            "session are lost; check that its folder is writable.")
                             .arg(quoted(path), error);
    addMessage(line);
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    m_closeFailures << tr("The settings file %1 could not be written: %2.").arg(quoted(path), error);
    return false;
}

// ---- closing ----------------------------------------------------------------

bool MainWindow::confirmClose()
{
    // The whole sequence runs once: a second close request (the window closes
    // from inside this step, and the system may ask again) only lets it go.
    if (m_settingsWritten)
        return true;
    hide();
    guarded([this] { writeSettings(); });
    m_settingsWritten = true;
    guarded([this] {
        if (m_settings.autoloadFile.isEmpty())
            return;
        // A name of megabytes (a damaged settings file) must not freeze a box.
        const QString shownName = elideMiddle(m_settings.autoloadFile, kMaxMessageLength);
        if (!m_askOnClose) {
            // Nobody is there to answer; overwriting the file unasked could
            // destroy a bank the user meant to keep.
            std::fprintf(stderr, "The autoload file %s was not saved: the program was ended by a signal.\n",
                         shownName.toLocal8Bit().constData());
            return;
        }
        const QString question = tr("Do you want to save changes to autoload file (%1) ?").arg(shownName);
        if (m_dialogs.ask(this, question) != LibrarianDialogs::Answer::Yes)
            return;
        QString error;
        if (!saveBankFile(m_settings.autoloadFile, &error)) {
            std::fprintf(stderr, "The autoload file %s was not saved: %s\n", shownName.toLocal8Bit().constData(),
                error.toLocal8Bit().constData());
            m_closeFailures << tr("The autoload bank file %1 could not be written: %2.")
                                  .arg(quoted(shownName), error);
        }
    });
    // The window is gone and the program is about to end: the Messages box
    // and the terminal are nowhere the user looks, so a box has to say it
    // (unless a signal ended the program: nobody is there to close the box;
    // the terminal and the exit code tell then).
    if (!m_closeFailures.isEmpty() && m_askOnClose) {
        try {
            m_dialogs.warn(this,
                m_closeFailures.join(QStringLiteral("\n\n"))
                    + QStringLiteral("\n\n")
                    + tr("What was not saved is lost when the program ends. Make the folder "
                         "writable or free some disk space, so that the next close can save."));
        } catch (...) {
            // Nothing is left to report to; the exit code still tells.
        }
    }
    return true;
}

void MainWindow::closeWithoutQuestions()
{
    m_askOnClose = false;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    confirmClose(); // closing cannot be cancelled
    event->accept();
}

} // namespace sondrake
