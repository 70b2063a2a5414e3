#pragma once

// "Sound Edit": the window in which one sound is edited. It works on a
// private copy of the sound (the opener fills it before showing the window
// and reads it back after it closes), shows every parameter on the controls
// the ParameterMap names, and sends each change straight to the synthesizer.
// Live edits reach the synthesizer only; the working copy changes through the
// name, "Init Sound" and the randomizer.

#include "editor/EditorHost.h"
#include "editor/EditorLayout.h"
#include "editor/ParameterMapLive.h"
#include "editor/Schema.h"
#include "store/SoundDump.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QTimer;

namespace sondrake::editor {

class Generator;

class SoundEditor : public QDialog {
    Q_OBJECT

public:
    explicit SoundEditor(EditorHost& host, QWidget* parent = nullptr);
    ~SoundEditor() override;

    // The sound being edited.
    SoundDump workingCopy {};
    // Set when the name changes and after every load; the timer clears it.
    bool modified = false;
    // True while a number-pad test note sounds.
    bool testNoteFlag = false;

    EditorHost& host() { return m_host; }
    const ParameterPages& parameterPages() const { return m_pages; }

    // Shows every stored parameter of the working copy on its control, and
    // the name in edtName. Failures go to a message box.
    void LoadControls();

    // The value a row's control shows: knob/slider position, list index
    // (-1 with no selection), check box 1/0. The row must be in the map.
    int controlValue(const ParameterEntry& entry) const;
    // Sets a control as loading does (knob/slider: ignored out of range or
    // equal; list: no message, index beyond the list clears the selection;
    // check box: a different state sends its live message).
    void setControlValue(const ParameterEntry& entry, int value);

    // How the editor shows an error's text. Tests replace it; an empty hook
    // restores the message box.
    using MessageBoxHook = std::function<void(QWidget* parent, const QString& text)>;
    static void setMessageBoxHook(MessageBoxHook hook);
    // Shows `text` through the hook, never from inside a paint: the box opens
    // from the event loop. While one error is waiting, further ones are dropped.
    void ShowError(const QString& text);

    // The sound-family schema: 99 entries, built with the window.
    SoundFamilySchema& schema() { return m_schema; }
    const SoundFamilySchema& schema() const { return m_schema; }
    // The randomizer draws from the program's generator; tests hand in their
    // own (nullptr restores the program's).
    void setGenerator(Generator* generator);

    // schema operations
    void BuildSchemaEntries();
    // Lists the schema files of the program's folder into cmbRandomSchema,
    // selects the first and loads it (no file: an empty box, every entry "0").
    void ListRandomSchemas();
    void LoadRandomSchema(const QString& name);
    void SaveRandomSchema(const QString& name);
    QString GetAllowedValues(const ParameterEntry& control) const;
    void SetAllowedValues(const ParameterEntry& control, const QString& text);
    // The "R" action: the check list of the control's values.
    void ShowParameterList(const ParameterEntry& control);

    // handlers
    void onControlChanged(QObject* sender);
    void edtNameChange(const QString& text);
    void Timer1Timer();
    void onTestSoundPressed();
    void onTestSoundReleased();
    void onInitSound();
    void onSendToLocation();
    void cmbRandomSchemaSelect(int index);
    void onSaveSchema();
    void onCreateSchemaFromSound();
    void onRandomizeSound();
    void onRandomizeOscillators();
    void onRandomizeFilters();
    void onRandomizeEnvelopes();
    void onRandomizeLfos();
    void BitBtnClick(int n); // BitBtn1Click .. BitBtn99Click

    // The key handling of the window (it sees keys before its controls).
    void FormKeyDown(QKeyEvent* event);
    void FormKeyUp(QKeyEvent* event);
    bool FormKeyPress(QKeyEvent* event); // true: the character is swallowed

    // top panel
    QLineEdit* edtName = nullptr;
    QLabel* lblName = nullptr;
    QPushButton* btnTestSound = nullptr;
    QPushButton* btnInitSound = nullptr;
    QPushButton* btnSavSoundto = nullptr;
    // schema and randomizer controls (their handlers live with the schema code)
    QLabel* lblRandomSchema = nullptr;
    QComboBox* cmbRandomSchema = nullptr;
    QPushButton* btnSaveRandomSchema = nullptr;
    QPushButton* btnCreateSchemaFromCurrentSound = nullptr;
    QPushButton* btnRandomizeSound = nullptr;
    QPushButton* btnRandomizeOscillators = nullptr;
    QPushButton* btnRandomizeFilters = nullptr;
    QPushButton* btnRandomizeEnvelopes = nullptr;
    QPushButton* btnRandomizeLFOs = nullptr;
    // [n] = BitBtn<n>, n = 1..99
    const std::array<QPushButton*, 100>& BitBtn() const { return m_pages.rButtons; }

    QTabWidget* PageControl1 = nullptr;
    QTimer* Timer1 = nullptr;
    // Holds the whole window's content; scrolls where the screen is smaller.
    QScrollArea* scrollArea = nullptr;

    // The window's size for its content, no larger than the screen allows.
    QSize preferredSize() const;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* buildTopPanel(QWidget* parent);
    QWidget* buildPages(QWidget* parent);
    void wireControls();
    void wireSchemaControls();
    void randomize(void (*groups)(SoundDump&, SoundFamilySchema&, Generator&));
    void updateTestSoundCaption();
    // Every key of the window, once, before its focused control: true keeps
    // it from the control.
    bool onWindowKey(QKeyEvent* event);

    EditorHost& m_host;
    ParameterPages m_pages;
    SoundFamilySchema m_schema;
    Generator* m_generator = nullptr;
    bool m_schemaNameTyped = false; // a name is being typed into cmbRandomSchema
    bool m_loading = false;
    bool m_errorPending = false;
};

// Opens the editor modally on a copy of `slot` and copies the working copy
// back into `slot` when the window closes, however it closes.
void runSoundEditor(EditorHost& host, SoundDump& slot, QWidget* parent);

} // namespace sondrake::editor
