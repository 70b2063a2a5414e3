#pragma once

// What the sound editor needs from the window that opens it. The librarian
// owns this state for the whole run, but it must not know the editor's
// headers, so the program (src/app) adapts the main window to this interface
// and hands the editor an instance when it opens one.

#include "editor/SchemaTolerances.h"
#include "platform/KeyState.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

class QWidget;

namespace sondrake::midi {
class MidiSession;
}

namespace sondrake::editor {

class EditorHost {
public:
    virtual ~EditorHost() = default;

    // The keyboard player's octave, shared with the editor's test keys.
    virtual int octave() const = 0;
    virtual void setOctave(int octave) = 0;

    // Whether the keyboard player is switched on ("Keyboard" checked).
    virtual bool keyboardChecked() const = 0;

    // One line into the main window's Messages box.
    virtual void addMessage(const QString& line) = 0;

    virtual SchemaTolerances tolerances() const = 0;
    virtual void setTolerances(const SchemaTolerances& tolerances) = 0;

    // Where "Send Sound to Q-Lindorn" sent last: bank 0..1, program 0..99.
    virtual int lastSaveBank() const = 0;
    virtual int lastSaveProgram() const = 0;
    virtual void setLastSaveLocation(int bank, int program) = 0;

    // The window the editor centres over (may be nullptr).
    virtual QWidget* window() const { return nullptr; }

    // Where the editor's messages go; nullptr sends nothing.
    virtual midi::MidiSession* midiSession() const = 0;

    // The program's keyboard: the editor and its windows register their
    // key handlers here, and it is the one the keyboard player polls.
    virtual platform::KeyState& keyState() = 0;
};

// A host that keeps the state itself: for tests, benchmarks and any use of the
// editor without a main window. Lines go to `onMessage` when it is set.
class MemoryEditorHost : public EditorHost {
public:
    int octaveValue = 4;
    bool keyboardOn = false;
    SchemaTolerances toleranceValues;
    int bank = 0;
    int program = 0;
    QStringList* messages = nullptr; // appended to when set
    std::function<void(const QString&)> onMessage;
    midi::MidiSession* session = nullptr; // nothing is sent without one
    platform::KeyState keys; // the host's own keyboard

    int octave() const override { return octaveValue; }
    void setOctave(int octave) override { octaveValue = octave; }
    bool keyboardChecked() const override { return keyboardOn; }
    void addMessage(const QString& line) override
    {
        if (messages)
            messages->append(line);
        if (onMessage)
            onMessage(line);
    }
    SchemaTolerances tolerances() const override { return toleranceValues; }
    void setTolerances(const SchemaTolerances& tolerances) override { toleranceValues = tolerances; }
    int lastSaveBank() const override { return bank; }
    int lastSaveProgram() const override { return program; }
    void setLastSaveLocation(int b, int p) override
    {
        bank = b;
        program = p;
    }
    midi::MidiSession* midiSession() const override { return session; }
    platform::KeyState& keyState() override { return keys; }
};

} // namespace sondrake::editor
