// The sound library from the librarian's side: every sound that arrives is
// handed to the library (which writes on its own thread, so this costs the
// window a copy of the bytes and no more), and the "Sound Library" window's
// commands act on the synthesizer and the sound list.
#include "librarian/MainWindow.h"

#include "librarian/LibraryWindow.h"
#include "librarian/SoundListModel.h"
#include "librarian/SoundListView.h"
#include "library/Library.h"
#include "midi/MidiSession.h"
#include "midi/SoundTransfer.h"

#include <QAction>

#include <algorithm>

namespace sondrake {

namespace {

    // One source for a whole read: a single sound names its place, a bank
    // read its bank.
    QString receivedSource(const std::vector<int>& rows)
    {
        const int bank = rows.front() / kProgramsPerBank + 1;
        if (rows.size() == 1)
            return library::sources::received(bank, rows.front() % kProgramsPerBank);
        const bool oneBank = std::all_of(
            rows.begin(), rows.end(), [bank](int s) { return s / kProgramsPerBank + 1 == bank; });
        return oneBank ? QStringLiteral("received, bank %1").arg(bank) : QStringLiteral("received");
    }

} // namespace

void MainWindow::connectLibrary()
{
    if (!m_library)
        return;
    connect(m_library, &library::Library::opened, this, [this](bool available, const QString& line) {
        if (!available)
            m_libraryOffLine = line.isEmpty() ? tr("The sound library is off for this run.") : line;
        if (!line.isEmpty())
            addMessage(line);
    });
    connect(m_library, &library::Library::message, this, [this](const QString& line) { addMessage(line); });
}

void MainWindow::archiveSlots(const std::vector<int>& rows, const QString& source)
{
    if (!m_library || rows.empty())
        return;
    std::vector<SoundDump> dumps;
    dumps.reserve(rows.size());
    for (int s : rows)
        if (isValidSlot(s))
            dumps.push_back(m_store.slot(s));
    m_library->archive(std::move(dumps), source);
}

void MainWindow::archiveReceived(const std::vector<int>& rows)
{
    if (!rows.empty())
        archiveSlots(rows, receivedSource(rows));
}

void MainWindow::onSoundStored(int slot)
{
    if (!isValidSlot(slot))
        return;
    if (!m_readChange) {
        // Sent by the synthesizer on its own, outside a read.
        archiveReceived({ slot });
        return;
    }
    // A slot stored twice in one read is kept once, with what came last.
    if (std::find(m_receivedSlots.begin(), m_receivedSlots.end(), slot) == m_receivedSlots.end())
        m_receivedSlots.push_back(slot);
}

void MainWindow::onSoundLibrary()
{
    guarded([this] {
        if (!m_library) {
            addMessage(tr("There is no sound library in this run."));
            return;
        }
        if (m_library->state() == library::Library::State::Off) {
            addMessage(m_libraryOffLine.isEmpty() ? tr("The sound library is off for this run.") : m_libraryOffLine);
            return;
        }
        if (!m_libraryWindow) {
            m_libraryWindow = new LibraryWindow(*m_library, this);
            m_libraryWindow->setWindowFlag(Qt::Window);
            m_libraryWindow->setAttribute(Qt::WA_DeleteOnClose, false);
            connect(m_libraryWindow, &LibraryWindow::message, this, [this](const QString& line) { addMessage(line); });
            connect(m_libraryWindow, &LibraryWindow::sendToSynthRequested, this,
                [this](const SoundDump& dump) { guarded([&] { onSendToSynth(dump); }); });
            connect(m_libraryWindow, &LibraryWindow::putIntoSlotRequested, this, [this](const SoundDump& dump) {
                guarded([&] {
                    const int row = firstSelectedRow();
                    if (!isValidSlot(row)) {
                        addMessage(tr("Select the slot in the sound list that the sound should go into, then Put into Slot again."));
                        return;
                    }
                    putSounds(row, { dump });
                });
            });
        }
        m_libraryWindow->show();
        m_libraryWindow->raise();
        m_libraryWindow->activateWindow();
    });
}

void MainWindow::onSendToSynth(const SoundDump& dump)
{
    // The send of the selected sounds owns the output's order until it ends.
    //: A command word, put into "Still sending the selected sounds; %1 again when sending has ended"
    if (refuseWhileSending(tr("Send to Synth")))
        return;
    m_session.sendAuditionDump(dump);
}

void MainWindow::putSounds(int row, const std::vector<SoundDump>& dumps)
{
    //: A command word, put into "Still sending the selected sounds; %1 again when sending has ended"
    if (dumps.empty() || !isValidSlot(row) || refuseWhileSending(tr("Put into Slot")))
        return;
    // Several dragged sounds go into the rows from the row on; those that
    // would fall past the last slot are left out.
    const int count = std::min<int>(int(dumps.size()), kSlotCount - row);
    if (int(dumps.size()) > count)
        addMessage(tr("Only %1 of the %2 sounds fit from slot %3 on; the others were left out.")
                       .arg(count)
                       .arg(dumps.size())
                       .arg(SoundListModel::indexText(row)));
    const std::string first = readName(dumps.front());
    const QString name = QString::fromLatin1(first.data(), qsizetype(first.size())).trimmed();
    const QString step = count == 1 ? tr("Put '%1' into %2").arg(name, SoundListModel::indexText(row))
                                    : tr("Put %1 sounds into %2").arg(count).arg(SoundListModel::indexText(row));
    changeStore(step, [&] {
        // As a file load leaves them: the bytes as they are, location too.
        for (int k = 0; k < count; ++k)
            m_store.slot(row + k) = dumps[std::size_t(k)];
        // Selected inside the step, so that redo selects them again.
        m_selectionList.clear();
        for (int k = 0; k < count; ++k)
            m_selectionList.push_back(row + k);
        refreshNames(false);
    });
    m_soundList->scrollTo(m_listModel->index(row, SoundListView::kNameColumn));
    m_moveUpAction->setEnabled(true);
    m_moveDownAction->setEnabled(true);
}

} // namespace sondrake
