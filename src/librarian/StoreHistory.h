#pragma once

// The history of the 200 slots: every change of the store becomes one step
// on an undo stack, so any command can be taken back. A command takes a
// snapshot before it changes the store and commits afterwards; the commit
// compares the two and keeps only what the step needs to go either way: a
// map of where each record came from when the command only moved records
// (moves, drops, sorting), otherwise the bytes that differ, once (undo and
// redo exchange them with the store). A rename thus costs its 16 name
// bytes, a bank read about one record per received sound.
//
// The steps exchange bytes with the store, so every change of the store
// must go through the history; one made beside it would be undone wrongly.

#include "store/SoundStore.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QUndoStack;

namespace sondrake {

class StoreHistory {
public:
    // Rows of the list, ascending; what it selects after a step was undone
    // or done again.
    using Rows = std::vector<int>;
    // Runs after every undo and redo: the store changed, `select` names the
    // rows the list selects now.
    using Applied = std::function<void(const Rows& select)>;

    // Steps that may merge with the one before (a held key's repeats).
    enum MergeId { kNoMerge = -1, kMoveUp = 1, kMoveDown = 2 };

    StoreHistory(SoundStore& store, QUndoStack& stack, Applied applied);
    ~StoreHistory();

    // The store and the selection as they are before a change.
    class Change {
    public:
        Change();
        Change(Change&&) noexcept;
        Change& operator=(Change&&) noexcept;
        ~Change();

    private:
        friend class StoreHistory;
        std::unique_ptr<SoundStore> m_before;
        Rows m_selection;
    };
    Change begin(const Rows& selection) const;

    // One step for everything that changed since `change` was taken, named
    // `text`; nothing when nothing changed. True when a step was added.
    bool commit(Change change, const QString& text, const Rows& selectionAfter, MergeId merge = kNoMerge);
    // One slot that has changed already, from `previous` (a sound the
    // synthesizer sent by itself).
    bool commitSlot(int slot, const SoundDump& previous, const QString& text, const Rows& selection);

    QUndoStack& stack() const { return m_stack; }

    struct Context {
        SoundStore& store;
        Applied applied;
    };

private:
    Context m_context;
    QUndoStack& m_stack;
};

} // namespace sondrake
