#include "librarian/StoreHistory.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>
#include <array>
#include <cstdint>

namespace sondrake {

namespace {

    using Rows = StoreHistory::Rows;
    using SlotList = std::vector<std::uint8_t>; // slots fit a byte: the history keeps them small

    SlotList compact(const Rows& rows)
    {
        SlotList out;
        out.reserve(rows.size());
        for (int r : rows)
            if (isValidSlot(r))
                out.push_back(static_cast<std::uint8_t>(r));
        return out;
    }

    Rows expand(const SlotList& list)
    {
        Rows rows(list.begin(), list.end());
        return rows;
    }

    // A step of the store. Pushing it runs redo() once on a store that has
    // changed already: that first redo does nothing.
    class StoreStep : public QUndoCommand {
    public:
        StoreStep(StoreHistory::Context& context, const QString& text, const Rows& before, const Rows& after)
            : QUndoCommand(text)
            , m_context(context)
            , m_before(compact(before))
            , m_after(compact(after))
        {
        }

        void undo() override
        {
            goBack();
            m_context.applied(expand(m_before));
        }

        void redo() override
        {
            if (m_done) {
                goForward();
                m_context.applied(expand(m_after));
            }
            m_done = true;
        }

    protected:
        virtual void goBack() = 0;
        virtual void goForward() = 0;

        StoreHistory::Context& m_context;
        SlotList m_before;
        SlotList m_after;

    private:
        bool m_done = false;
    };

    // Records that only moved: slot s now holds what slot m_from[s] held.
    class PermutationStep : public StoreStep {
    public:
        using Map = std::array<std::uint8_t, kSlotCount>;

        PermutationStep(StoreHistory::Context& context, const QString& text, const Rows& before, const Rows& after,
                        const Map& from, int mergeId)
            : StoreStep(context, text, before, after)
            , m_from(from)
            , m_mergeId(mergeId)
        {
        }

        int id() const override { return m_mergeId; }

        bool mergeWith(const QUndoCommand* other) override
        {
            const auto* next = dynamic_cast<const PermutationStep*>(other);
            // The repeats of one held key: each starts where the last ended.
            if (!next || next->m_mergeId != m_mergeId || next->m_before != m_after || next->text() != text())
                return false;
            Map combined;
            for (int s = 0; s < kSlotCount; ++s)
                combined[std::size_t(s)] = m_from[next->m_from[std::size_t(s)]];
            m_from = combined;
            m_after = next->m_after;
            setObsolete(isIdentity());
            return true;
        }

    protected:
        void goForward() override
        {
            const SoundStore before = m_context.store;
            for (int s = 0; s < kSlotCount; ++s)
                m_context.store.slot(s) = before.slot(m_from[std::size_t(s)]);
        }

        void goBack() override
        {
            const SoundStore after = m_context.store;
            for (int s = 0; s < kSlotCount; ++s)
                m_context.store.slot(m_from[std::size_t(s)]) = after.slot(s);
        }

    private:
        bool isIdentity() const
        {
            for (int s = 0; s < kSlotCount; ++s)
                if (m_from[std::size_t(s)] != s)
                    return false;
            return true;
        }

        Map m_from;
        int m_mergeId;
    };

    // Bytes that changed: runs of a slot, with the other version of their
    // bytes kept once and exchanged with the store either way.
    class ByteRunsStep : public StoreStep {
    public:
        struct Run {
            std::uint8_t slot;
            std::uint16_t offset;
            std::uint16_t length;
        };

        ByteRunsStep(StoreHistory::Context& context, const QString& text, const Rows& before, const Rows& after)
            : StoreStep(context, text, before, after)
        {
        }

        // Adds the differences between `previous` and what `slot` holds now.
        void addSlot(int slot, const SoundDump& previous)
        {
            const SoundDump& now = m_context.store.slot(slot);
            // A gap this short costs less as bytes than as a new run.
            constexpr std::size_t kJoinGap = sizeof(Run);
            std::size_t i = 0;
            while (i < kDumpSize) {
                if (previous[i] == now[i]) {
                    ++i;
                    continue;
                }
                std::size_t end = i + 1;
                std::size_t lastDiff = i;
                while (end < kDumpSize && end - lastDiff <= kJoinGap) {
                    if (previous[end] != now[end])
                        lastDiff = end;
                    ++end;
                }
                const std::size_t length = lastDiff + 1 - i;
                m_runs.push_back({ std::uint8_t(slot), std::uint16_t(i), std::uint16_t(length) });
                m_bytes.insert(m_bytes.end(), previous.begin() + std::ptrdiff_t(i),
                               previous.begin() + std::ptrdiff_t(i + length));
                i = lastDiff + 1;
            }
        }

        void shrink()
        {
            m_runs.shrink_to_fit();
            m_bytes.shrink_to_fit();
        }

        bool empty() const { return m_runs.empty(); }

    protected:
        void goForward() override { exchange(); }
        void goBack() override { exchange(); }

    private:
        void exchange()
        {
            auto kept = m_bytes.begin();
            for (const Run& run : m_runs) {
                auto at = m_context.store.slot(run.slot).begin() + run.offset;
                std::swap_ranges(at, at + run.length, kept);
                kept += run.length;
            }
        }

        std::vector<Run> m_runs;
        std::vector<std::uint8_t> m_bytes;
    };

    // Where each changed record came from, when the change only moved
    // records between the changed slots; false otherwise. Equal records are
    // interchangeable, so any match of equal ones will do.
    bool findPermutation(const SoundStore& before, const SoundStore& after, const std::vector<int>& changed,
                         PermutationStep::Map& from)
    {
        for (int s = 0; s < kSlotCount; ++s)
            from[std::size_t(s)] = std::uint8_t(s);
        std::vector<bool> used(changed.size(), false);
        for (int s : changed) {
            bool found = false;
            for (std::size_t k = 0; k < changed.size() && !found; ++k) {
                if (!used[k] && before.slot(changed[k]) == after.slot(s)) {
                    used[k] = true;
                    from[std::size_t(s)] = std::uint8_t(changed[k]);
                    found = true;
                }
            }
            if (!found)
                return false;
        }
        return true;
    }

} // namespace

StoreHistory::Change::Change() = default;
StoreHistory::Change::Change(Change&&) noexcept = default;
StoreHistory::Change& StoreHistory::Change::operator=(Change&&) noexcept = default;
StoreHistory::Change::~Change() = default;

StoreHistory::StoreHistory(SoundStore& store, QUndoStack& stack, Applied applied)
    : m_context{ store, std::move(applied) }
    , m_stack(stack)
{
}

StoreHistory::~StoreHistory() = default;

StoreHistory::Change StoreHistory::begin(const Rows& selection) const
{
    Change change;
    change.m_before = std::make_unique<SoundStore>(m_context.store);
    change.m_selection = selection;
    return change;
}

bool StoreHistory::commit(Change change, const QString& text, const Rows& selectionAfter, MergeId merge)
{
    if (!change.m_before)
        return false;
    const SoundStore& before = *change.m_before;
    const SoundStore& after = m_context.store;
    std::vector<int> changed;
    for (int s = 0; s < kSlotCount; ++s)
        if (before.slot(s) != after.slot(s))
            changed.push_back(s);
    if (changed.empty())
        return false;

    PermutationStep::Map from{};
    if (findPermutation(before, after, changed, from)) {
        m_stack.push(new PermutationStep(m_context, text, change.m_selection, selectionAfter, from, merge));
        return true;
    }
    auto step = std::make_unique<ByteRunsStep>(m_context, text, change.m_selection, selectionAfter);
    for (int s : changed)
        step->addSlot(s, before.slot(s));
    step->shrink();
    m_stack.push(step.release());
    return true;
}

bool StoreHistory::commitSlot(int slot, const SoundDump& previous, const QString& text, const Rows& selection)
{
    if (!isValidSlot(slot) || m_context.store.slot(slot) == previous)
        return false;
    auto step = std::make_unique<ByteRunsStep>(m_context, text, selection, selection);
    step->addSlot(slot, previous);
    step->shrink();
    m_stack.push(step.release());
    return true;
}

} // namespace sondrake
