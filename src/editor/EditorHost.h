#pragma once

// What the sound editor needs from the program that opens it: the main
// window's state, and what there is one of in the program (the keyboard,
// the generator, the schema folders). The librarian owns this state for the
// whole run, but it must not know the editor's headers, so the program
// (src/app) adapts the main window to this interface and hands the editor an
// instance when it opens one.

#include "editor/Randomizer.h"
#include "editor/SchemaTolerances.h"
#include "platform/KeyState.h"
#include "store/PlayerKeys.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QWidget>

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

    // The program's one generator, seeded once at start; the randomizer and
    // the explorer draw from it.
    virtual Generator& generator() = 0;

    // Where schemas are listed and loaded from; a schema is saved into the
    // first. Empty: there are none, and none can be saved.
    virtual QStringList schemaFolders() const = 0;

    // Shows an error's text over `parent` (the editor calls it from its
    // event loop, never from inside a paint): a warning box.
    virtual void showError(QWidget* parent, const QString& text)
    {
        QMessageBox::warning(parent, parent ? parent->windowTitle() : QString(), text);
    }
};

// A host that keeps the state itself: for tests, benchmarks and any use of the
// editor without a main window, with a keyboard and a generator of its own.
// Lines go to `onMessage` when it is set, errors to `onError`.
class MemoryEditorHost : public EditorHost {
public:
    int octaveValue = StartOctave;
    bool keyboardOn = false;
    SchemaTolerances toleranceValues;
    int bank = 0;
    int program = 0;
    QStringList* messages = nullptr; // appended to when set
    std::function<void(const QString&)> onMessage;
    midi::MidiSession* session = nullptr; // nothing is sent without one
    platform::KeyState keys;
    Generator random { Generator::timeOfDaySeed() };
    QStringList schemaFolderList; // none by default: nothing is listed or saved
    std::function<void(QWidget*, const QString&)> onError; // empty: a warning box

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
    Generator& generator() override { return random; }
    QStringList schemaFolders() const override { return schemaFolderList; }
    void showError(QWidget* parent, const QString& text) override
    {
        if (onError)
            onError(parent, text);
        else
            EditorHost::showError(parent, text);
    }
};

} // namespace sondrake::editor
