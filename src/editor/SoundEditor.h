#pragma once

// "Sound Edit": the window in which one sound is edited. It works on a
// private copy of the sound (the opener fills it before showing the window
// and reads it back after it closes), shows every parameter on the controls
// the ParameterMap names, and sends each change straight to the synthesizer.
// Live edits reach the synthesizer only; the working copy changes through the
// name, "Init Sound", the randomizer and "Explore", each change a step of the
// window's own history (Ctrl+Z, Ctrl+Shift+Z), which lives while it is open.

#include "editor/EditorHost.h"
#include "editor/EditorLayout.h"
#include "editor/ExploreWindow.h"
#include "editor/ParameterMapLive.h"
#include "editor/Schema.h"
#include "store/SoundDump.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QTimer;
class QUndoStack;

namespace sondrake::editor {

class Generator;

class SoundEditor : public QDialog {
    Q_OBJECT

public:
    explicit SoundEditor(EditorHost& host, QWidget* parent = nullptr);
    ~SoundEditor() override;

    // The sound being edited. A new one shows on the controls at the next
    // load: when the window is shown or activated, or by loadControls().
    const SoundDump& workingCopy() const { return m_workingCopy; }
    // Also the sound as the window was opened on, which stays when the
    // working copy changes. Starts the history afresh.
    void setWorkingCopy(const SoundDump& sound);
    const SoundDump& openedSound() const { return m_openedSound; }
    // Replaces the working copy with `sound` as one step named `stepText`,
    // and loads the controls, whose live messages go out (a list's too,
    // where it changed). The one way other windows change the working copy.
    void applyToWorkingCopy(const SoundDump& sound, const QString& stepText);
    // The working copy's steps (and the schema's Allowed texts set by hand).
    QUndoStack* history() const { return m_history; }
    // True while "Compare" is down: the synthesizer holds openedSound().
    bool isComparing() const { return m_comparing; }
    // Set when the name changes and after every load; the timer clears it.
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    // True while a number-pad test note sounds.
    bool isTestNoteSounding() const { return m_testNoteSounding; }

    EditorHost& host() { return m_host; }
    // Every parameter control, its row and its "R" button.
    const ParameterPages& parameterPages() const { return m_pages; }

    // Shows every stored parameter of the working copy on its control, and
    // the name in the name field. Failures go to a message box.
    void loadControls();

    // The value a row's control shows: knob/slider position, list index
    // (-1 with no selection), check box 1/0. The row must be in the map.
    int controlValue(const ParameterEntry& entry) const;
    // Sets a control as loading does (knob/slider: ignored out of range or
    // equal; list: no message, index beyond the list clears the selection;
    // check box: a different state sends its live message).
    void setControlValue(const ParameterEntry& entry, int value);

    // Shows `text` through the host, never from inside a paint: the box
    // opens from the event loop. While one error is waiting, further ones
    // are dropped.
    void showError(const QString& text);

    // The sound-family schema: 99 entries, built with the window.
    SoundFamilySchema& schema() { return m_schema; }
    const SoundFamilySchema& schema() const { return m_schema; }
    // The program's generator, which the randomizer draws from (the host's).
    Generator& generator() { return m_host.generator(); }
    // Loads the schema of that name from the host's schema folders (none:
    // every entry "0"). Failures go to a message box.
    void loadSchema(const QString& name);

    // The window's size for its content, no larger than the screen allows.
    QSize preferredSize() const;

    // "Explore Sound Family", while it is open (nullptr otherwise).
    ExploreWindow* exploreWindow() const { return m_exploreWindow; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* buildTopPanel(QWidget* parent);
    QWidget* buildPages(QWidget* parent);
    void buildHistory();
    void wireControls();
    void wireSchemaControls();
    void randomize(void (*groups)(SoundDump&, SoundFamilySchema&, Generator&), const QString& stepText);
    // After the editor changed the working copy from `before`: a step, unless
    // nothing changed.
    void pushSoundStep(const QString& text, const SoundDump& before);
    // The history's one way into the working copy: loads `sound` as a
    // randomize does and gives back the copy it replaced.
    SoundDump exchangeWorkingCopy(const SoundDump& sound);
    // The same for the Allowed text of one entry of the schema loaded as
    // `schemaSerial`; nothing when another schema has been loaded since.
    std::optional<QString> exchangeAllowedValues(
        int schemaSerial, std::string_view control, const QString& text);
    // Sends a parameter's live message, unless "Compare" holds the opened sound.
    void sendLiveMessage(const ParameterEntry& entry, int value);
    void sendWholeSound(const SoundDump& sound);
    // Lets "Compare" up without a message; true when it was down.
    bool stopComparing();
    // Lets "Compare" up and sends the working copy, when it was down.
    void releaseCompare();
    // Loading the controls sends what knobs, sliders and check boxes show,
    // but a list only what the user picks: around a load that changes the
    // working copy, the lists that changed are sent here.
    std::vector<std::pair<const ParameterEntry*, int>> listValues() const;
    void sendChangedLists(const std::vector<std::pair<const ParameterEntry*, int>>& before);
    void updateTestSoundCaption();

    // Lists the schema files of the program's folder into the schema box,
    // selects the first and loads it (no file: an empty box, every entry "0").
    void listSchemas();
    void saveSchema(const QString& name);
    // The "R" action: the check list of the control's values.
    void showParameterList(const ParameterEntry& control);

    // handlers
    void onControlChanged(QObject* sender);
    void onNameEdited(const QString& text);
    void writeName(const QString& text); // into bytes 164..179 of the working copy
    void onModifiedTimer();
    void onTestSoundPressed();
    void onTestSoundReleased();
    void onInitSound();
    void onSendToLocation();
    void onCompareToggled(bool pressed);
    void onSchemaSelected(int index);
    void onSaveSchema();
    void onCreateSchemaFromSound();
    void onRandomizeSound();
    void onRandomizeOscillators();
    void onRandomizeFilters();
    void onRandomizeEnvelopes();
    void onRandomizeLfos();
    void onExplore();
    void onValueListButton(int n); // the "R" button BitBtn<n>, n = 1..99

    // Every key of the window, once, before its focused control: true keeps
    // it from the control.
    bool onWindowKey(QKeyEvent* event);
    void onKeyDown(QKeyEvent* event);
    void onKeyUp(QKeyEvent* event);
    // A letter the keyboard player plays while it runs: the name field must
    // not get it as well.
    bool isPlayerKey(const QKeyEvent* event) const;
    // Undo and Redo: the window's, not the name field's own.
    static bool isHistoryKey(const QKeyEvent* event);

    EditorHost& m_host;
    SoundDump m_workingCopy {};
    SoundDump m_openedSound {};
    bool m_modified = false;
    bool m_testNoteSounding = false;
    ParameterPages m_pages;
    SoundFamilySchema m_schema;
    bool m_schemaNameTyped = false; // a name is being typed into the schema box
    bool m_loading = false;
    bool m_errorPending = false;
    bool m_comparing = false;
    // Counts spells of typing in the name field: one step each.
    int m_nameTyping = 0;
    // Counts schemas loaded or created: a step's Allowed text is its schema's.
    int m_schemaSerial = 0;
    QUndoStack* m_history = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;

    // top panel
    QLineEdit* m_nameEdit = nullptr;
    QLabel* m_nameLabel = nullptr;
    QPushButton* m_testSoundButton = nullptr;
    QPushButton* m_initSoundButton = nullptr;
    QPushButton* m_sendToLocationButton = nullptr;
    QPushButton* m_compareButton = nullptr;
    // schema and randomizer controls (their handlers live with the schema code)
    QLabel* m_schemaLabel = nullptr;
    QComboBox* m_schemaBox = nullptr;
    QPushButton* m_saveSchemaButton = nullptr;
    QPushButton* m_createSchemaButton = nullptr;
    QPushButton* m_randomizeSoundButton = nullptr;
    QPushButton* m_randomizeOscillatorsButton = nullptr;
    QPushButton* m_randomizeFiltersButton = nullptr;
    QPushButton* m_randomizeEnvelopesButton = nullptr;
    QPushButton* m_randomizeLfosButton = nullptr;
    QPushButton* m_exploreButton = nullptr;
    QPointer<ExploreWindow> m_exploreWindow;

    QTabWidget* m_tabs = nullptr;
    QTimer* m_modifiedTimer = nullptr;
    // Holds the whole window's content; scrolls where the screen is smaller.
    QScrollArea* m_scrollArea = nullptr;
};

// Opens the editor modally on a copy of `slot` and copies the working copy
// back into `slot` when the window closes, however it closes.
void runSoundEditor(EditorHost& host, SoundDump& slot, QWidget* parent);

} // namespace sondrake::editor
