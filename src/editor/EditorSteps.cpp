#include "editor/EditorSteps.h"

#include <utility>

namespace sondrake::editor {

namespace {
    // Any number no other step of the editor's history uses.
    constexpr int kNameStepId = 1;
} // namespace

SoundStep::SoundStep(const QString& text, const SoundDump& other, SoundExchange exchange)
    : QUndoCommand(text)
    , m_other(other)
    , m_exchange(std::move(exchange))
{
}

void SoundStep::undo() { m_other = m_exchange(m_other); }

void SoundStep::redo()
{
    if (std::exchange(m_pushed, false))
        return;
    m_other = m_exchange(m_other);
}

NameStep::NameStep(const QString& text, int typing, const SoundDump& other, SoundExchange exchange)
    : SoundStep(text, other, std::move(exchange))
    , m_typing(typing)
{
}

int NameStep::id() const { return kNameStepId; }

bool NameStep::mergeWith(const QUndoCommand* other)
{
    // Same id, so the same class.
    const auto* next = static_cast<const NameStep*>(other);
    if (next->m_typing != m_typing)
        return false;
    setText(next->text());
    return true;
}

AllowedValuesStep::AllowedValuesStep(const QString& text, const QString& other, AllowedExchange exchange)
    : QUndoCommand(text)
    , m_other(other)
    , m_exchange(std::move(exchange))
{
}

void AllowedValuesStep::undo() { swap(); }

void AllowedValuesStep::redo()
{
    if (std::exchange(m_pushed, false))
        return;
    swap();
}

void AllowedValuesStep::swap()
{
    // Another schema loaded since: its entry is not the one this step
    // changed, and the stack drops the step.
    if (std::optional<QString> replaced = m_exchange(m_other))
        m_other = std::move(*replaced);
    else
        setObsolete(true);
}

} // namespace sondrake::editor
