#pragma once

// The steps of the sound editor's own history. A step holds the one thing it
// swaps: the working copy on its other side, or the Allowed text of one
// schema entry. The editor has made the change (and sent it) by the time it
// pushes the step, so the redo() that the push runs does nothing; every
// later undo() and redo() swaps through the editor, which loads and sends.

#include "store/SoundDump.h"

#include <QString>
#include <QUndoCommand>

#include <functional>
#include <optional>

namespace sondrake::editor {

// Puts a working copy into the editor and gives back the one it replaced.
using SoundExchange = std::function<SoundDump(const SoundDump&)>;

class SoundStep : public QUndoCommand {
public:
    SoundStep(const QString& text, const SoundDump& other, SoundExchange exchange);

    void undo() override;
    void redo() override;

private:
    SoundDump m_other;
    SoundExchange m_exchange;
    bool m_pushed = true; // the change is already in the editor
};

// Typing in the name field. Keystrokes of one spell of typing merge into one
// step, which keeps the working copy from before the first of them.
class NameStep : public SoundStep {
public:
    NameStep(const QString& text, int typing, const SoundDump& other, SoundExchange exchange);

    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    int m_typing; // the editor's count of typing spells when the step began
};

// Puts an Allowed text into the schema entry the step was made for and gives
// back the one it replaced; nothing once that schema is no longer loaded.
using AllowedExchange = std::function<std::optional<QString>(const QString&)>;

class AllowedValuesStep : public QUndoCommand {
public:
    AllowedValuesStep(const QString& text, const QString& other, AllowedExchange exchange);

    void undo() override;
    void redo() override;

private:
    void swap();

    QString m_other;
    AllowedExchange m_exchange;
    bool m_pushed = true;
};

} // namespace sondrake::editor
