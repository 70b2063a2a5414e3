// The sound editor's sound-family schema and randomizer: the schema box and
// its buttons, the five randomize buttons and the 99 "R" buttons.

#include "editor/SoundEditor.h"

#include "editor/EditorSteps.h"
#include "editor/ExploreWindow.h"
#include "editor/Randomizer.h"
#include "editor/ToleranceDialog.h"
#include "editor/ParameterListDialog.h"
#include "platform/FileLocations.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QUndoStack>

#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace sondrake::editor {

namespace {

    QString errorText(const std::exception& e) { return QString::fromLocal8Bit(e.what()); }

    // Enter in the schema box would pick the item whose text was typed, and
    // loading it would throw away the schema the user is about to save under
    // that name. Typing loads nothing, so Enter does nothing there.
    class SwallowEnter : public QObject {
    public:
        using QObject::QObject;

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::KeyPress) {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter)
                    return true;
            }
            return QObject::eventFilter(watched, event);
        }
    };

} // namespace

void SoundEditor::wireSchemaControls()
{
    // Typing a name loads nothing, so a name typed to save under can never
    // load an existing schema over the one being made: no completion.
    m_schemaBox->setCompleter(nullptr);
    if (QLineEdit* edit = m_schemaBox->lineEdit()) {
        edit->installEventFilter(new SwallowEnter(edit));
        // When typing ends (the box loses the focus) the box picks the item
        // whose text was typed and reports it as picked. The user picked
        // nothing, so that report is ignored; the box's own handler runs
        // before this one, which then ends the typing.
        connect(edit, &QLineEdit::textEdited, this, [this] { m_schemaNameTyped = true; });
        connect(edit, &QLineEdit::editingFinished, this, [this] { m_schemaNameTyped = false; });
    }
    connect(m_schemaBox, &QComboBox::activated, this, &SoundEditor::onSchemaSelected);
    connect(m_saveSchemaButton, &QPushButton::clicked, this, &SoundEditor::onSaveSchema);
    connect(m_createSchemaButton, &QPushButton::clicked, this, &SoundEditor::onCreateSchemaFromSound);
    connect(m_randomizeSoundButton, &QPushButton::clicked, this, &SoundEditor::onRandomizeSound);
    connect(m_randomizeOscillatorsButton, &QPushButton::clicked, this, &SoundEditor::onRandomizeOscillators);
    connect(m_randomizeFiltersButton, &QPushButton::clicked, this, &SoundEditor::onRandomizeFilters);
    connect(m_randomizeEnvelopesButton, &QPushButton::clicked, this, &SoundEditor::onRandomizeEnvelopes);
    connect(m_randomizeLfosButton, &QPushButton::clicked, this, &SoundEditor::onRandomizeLfos);
    connect(m_exploreButton, &QPushButton::clicked, this, &SoundEditor::onExplore);
    for (int n = 1; n < int(m_pages.rButtons.size()); ++n) {
        if (QPushButton* b = m_pages.rButtons[std::size_t(n)])
            connect(b, &QPushButton::clicked, this, [this, n] { onValueListButton(n); });
    }
}

void SoundEditor::listSchemas()
{
    try {
        const QStringList names = listSchemaNames(m_host.schemaFolders());
        m_schemaBox->clear();
        m_schemaBox->addItems(names);
        if (m_schemaBox->count() > 0)
            m_schemaBox->setCurrentIndex(0);
        else
            m_schemaBox->setEditText(QString());
        loadSchema(m_schemaBox->currentText());
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
}

void SoundEditor::loadSchema(const QString& name)
{
    try {
        QString error;
        // Without a folder there is no file: every entry "0", as for a
        // schema file that does not exist.
        const QStringList folders = m_host.schemaFolders();
        if (!m_schema.load(folders.isEmpty() ? QString() : findSchemaPath(folders, name), &error))
            showError(error);
        else
            ++m_schemaSerial; // the Allowed texts of the history were another schema's
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
}

void SoundEditor::saveSchema(const QString& name)
{
    try {
        const QStringList folders = m_host.schemaFolders();
        if (folders.isEmpty()) {
            showError(tr("There is no folder to save schemas in."));
            return;
        }
        QString error;
        const QString path = schemaPath(folders.first(), name);
        if (!platform::makeFolderFor(path, &error) || !m_schema.save(path, &error))
            showError(error);
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
}

void SoundEditor::onSchemaSelected(int index)
{
    if (index < 0 || m_schemaNameTyped)
        return;
    loadSchema(m_schemaBox->currentText());
}

void SoundEditor::onSaveSchema()
{
    const QString name = m_schemaBox->currentText();
    if (name.isEmpty()) {
        showError(tr("Please set the schema name."));
        return;
    }
    // The name becomes part of a path: refuse what would leave the folder or
    // cannot be a file name, before anything is written.
    QString problem;
    if (!isValidSchemaName(name, &problem)) {
        showError(problem);
        return;
    }
    saveSchema(name);
}

void SoundEditor::onCreateSchemaFromSound()
{
    try {
        // What the controls show now: closing the dialog activates this
        // window again, and activation reloads the controls from the working
        // copy, which would undo the live edits the schema is to be built on.
        std::vector<int> current;
        current.reserve(m_schema.entries().size());
        for (const SchemaEntry& e : m_schema.entries())
            current.push_back(controlValue(*e.parameter));

        QPointer<ToleranceDialog> dialog = new ToleranceDialog(this);
        dialog->setTolerances(m_host.tolerances());
        const int result = dialog->exec();
        if (!dialog)
            return;
        const SchemaTolerances tolerances = dialog->tolerances();
        delete dialog.data();
        if (result != QDialog::Accepted)
            return;

        if (!m_schemaBox->currentText().isEmpty()) {
            // The new schema has no name until the user types one and saves.
            m_schemaBox->addItem(QString());
            m_schemaBox->setCurrentIndex(m_schemaBox->count() - 1);
            m_schemaBox->setEditText(QString());
        }
        m_host.setTolerances(tolerances);
        ++m_schemaSerial;
        m_schema.buildFromCurrentValues(
            [&current](const ParameterEntry& p) { return current.at(std::size_t(p.schemaOrder - 1)); }, tolerances);
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
}

void SoundEditor::randomize(
    void (*groups)(SoundDump&, SoundFamilySchema&, Generator&), const QString& stepText)
{
    const SoundDump before = m_workingCopy;
    // Without a list's message here, a drawn waveform or octave would show
    // in the window while the synthesizer kept playing the old one.
    const auto lists = listValues();
    try {
        groups(m_workingCopy, m_schema, generator());
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
    // Also after a failure: the controls show what the working copy holds.
    loadControls();
    sendChangedLists(lists);
    // What a failure left drawn is a step as well: it can be undone.
    pushSoundStep(stepText, before);
}

// The buttons' captions without the keys they name.
void SoundEditor::onRandomizeSound() { randomize(&randomizeSound, tr("Randomize Sound")); }

void SoundEditor::onRandomizeOscillators() { randomize(&randomizeOscillators, tr("Randomize Oscillators")); }

void SoundEditor::onRandomizeFilters() { randomize(&randomizeFilter, tr("Randomize Filter")); }

void SoundEditor::onRandomizeEnvelopes() { randomize(&randomizeEnvelopes, tr("Randomize Envelopes")); }

void SoundEditor::onRandomizeLfos() { randomize(&randomizeLfos, tr("Randomize LFOs")); }

void SoundEditor::onExplore()
{
    try {
        if (!m_exploreWindow) {
            m_exploreWindow = new ExploreWindow(*this);
            // Its keys are the editor's: the test notes, the octave keys
            // and the letters the keyboard player takes.
            m_host.keyState().setWindowKeyHandler(
                m_exploreWindow, [this](QKeyEvent* key) { return onWindowKey(key); });
        }
        m_exploreWindow->show();
        m_exploreWindow->raise();
        m_exploreWindow->activateWindow();
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
}

void SoundEditor::onValueListButton(int n)
{
    try {
        const ParameterEntry* control = entryForRButton(n);
        if (!control)
            throw std::runtime_error("no parameter beside BitBtn" + std::to_string(n));
        showParameterList(*control);
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
}

void SoundEditor::showParameterList(const ParameterEntry& control)
{
    try {
        QPointer<ParameterListDialog> dialog = new ParameterListDialog(m_host.keyState(), this);
        dialog->setWindowTitle(parameterListCaption(control));
        try {
            dialog->fillList(control, m_schema.allowedValues(control.control));
        } catch (const std::exception& e) {
            showError(errorText(e)); // the rows filled so far stay; the dialog still opens
        }
        const int result = dialog->exec();
        if (!dialog)
            return;
        const QString text = dialog->resultText();
        delete dialog.data();
        if (result != QDialog::Accepted)
            return;
        const QString before = m_schema.allowedValues(control.control);
        if (text == before)
            return;
        m_schema.setAllowedValues(control.control, text);
        const QString caption
            = QCoreApplication::translate("ParameterMap", std::string(control.label()).c_str());
        const QString group = QCoreApplication::translate("ParameterMap", std::string(control.group).c_str());
        m_history->push(new AllowedValuesStep(tr("Allowed values of %1 (%2)").arg(caption, group), before,
            [this, serial = m_schemaSerial, name = control.control](const QString& allowed) {
                return exchangeAllowedValues(serial, name, allowed);
            }));
    } catch (const std::exception& e) {
        showError(errorText(e));
    }
}

} // namespace sondrake::editor
