// The editor's schema box and randomizer buttons, driven offscreen: saving
// (empty and refused names, a failing folder), listing and loading from the
// program's folder, "Create" with its tolerance dialog, the five randomize
// buttons on the working copy, and the "R" list dialog.

#include "KeyTestSupport.h"
#include "ParameterTable.h"
#include "patchedit_support.h"

#include "editor/EditorHost.h"
#include "editor/Randomizer.h"
#include "editor/Schema.h"
#include "editor/ToleranceDialog.h"
#include "editor/ParameterListDialog.h"
#include "editor/SoundEditor.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>

#include <functional>
#include <map>
#include <memory>

using namespace sondrake;
using namespace sondrake::editor;
using namespace patchedit_test;
namespace pt = parameter_table;

namespace {

QString repeat(QChar c, int n) { return QString(n, c); }

// Every entry allows every value of its parameter.
void allowEverything(SoundFamilySchema& schema)
{
    for (SchemaEntry& e : schema.entries())
        e.allowed = repeat(u'1', e.parameter->valueCount());
}

// Per byte, the bits the given controls are stored in.
std::map<int, std::uint8_t> bitsOf(const std::vector<std::string_view>& controls)
{
    std::map<int, std::uint8_t> bits;
    for (std::string_view c : controls) {
        const ParameterEntry& e = row(c);
        std::uint8_t mask = 0xFF;
        if (e.storage.encoding == Encoding::BitField)
            mask = std::uint8_t(((1u << (e.storage.hi + 1)) - 1) & ~((1u << e.storage.lo) - 1));
        bits[e.storage.byte] |= mask;
    }
    return bits;
}

// The controls of the typed drawing lists.
std::vector<std::string_view> controlsOf(std::initializer_list<std::span<const std::string_view>> groups)
{
    std::vector<std::string_view> out;
    for (auto g : groups)
        out.insert(out.end(), g.begin(), g.end());
    return out;
}

// Runs `act` on the modal dialog of type D once it is open; it is closed
// afterwards if `act` left it open.
template <class D> void whenOpen(std::function<void(D*)> act, bool* seen)
{
    *seen = false;
    sondrake::testing::onNextModalOf<D>([act, seen](D* dialog) {
        *seen = true;
        act(dialog);
    });
}

QListWidget* listOf(ParameterListDialog* d) { return namedChild<QListWidget>(d, "CheckListBox1"); }
QComboBox* schemaBoxOf(const SoundEditor& editor)
{
    return namedChild<QComboBox>(&editor, "cmbRandomSchema");
}

} // namespace

class TestSchemaUi : public QObject {
    Q_OBJECT

private:
    std::shared_ptr<midi::RecordingBackend> rec;
    QStringList errors;
    QStringList messages;
    std::unique_ptr<midi::MidiSession> session;
    std::unique_ptr<MemoryEditorHost> host;
    std::unique_ptr<QTemporaryDir> folder;

    std::unique_ptr<SoundEditor> openEditor(const SoundDump& sound) { return openEditorWindow(*host, sound); }

    QString fileOf(const QString& name) const { return schemaPath(folder->path(), name); }

    void writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(fileOf(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // Opens the "R" list of button n and runs `act` on it.
    bool openList(SoundEditor& editor, int n, std::function<void(ParameterListDialog*)> act)
    {
        bool seen = false;
        whenOpen<ParameterListDialog>(std::move(act), &seen);
        editor.parameterPages().rButtons[std::size_t(n)]->click();
        return seen;
    }

private slots:
    void initTestCase()
    {
        session = std::make_unique<midi::MidiSession>();
        rec = midi::installRecordingBackend(*session);
    }

    void init()
    {
        session->waitIdle(std::chrono::milliseconds(10000));
        rec->clear();
        errors.clear();
        messages.clear();
        host = std::make_unique<MemoryEditorHost>();
        host->messages = &messages;
        host->session = session.get();
        host->onError = [this](QWidget*, const QString& text) { errors.append(text); };
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
        host->schemaFolderList = { folder->path() };
    }

    void cleanup() { QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n'))); }

    void theHostsFoldersAreListedAndTheFirstIsSavedInto()
    {
        // The user's folder first, then a shared one: a name in both loads
        // from the user's, and a schema is saved into the user's.
        QTemporaryDir shared;
        QFile arps(schemaPath(shared.path(), QStringLiteral("Arps")));
        QVERIFY(arps.open(QIODevice::WriteOnly));
        arps.write("[Parameters]\nOsc1Forms=01\n");
        arps.close();
        QVERIFY(QFile::copy(arps.fileName(), schemaPath(shared.path(), QStringLiteral("Bass"))));
        writeFile(QStringLiteral("Bass"), "[Parameters]\nOsc1Forms=11\n");
        host->schemaFolderList = { folder->path(), shared.path() };
        auto editor = openEditor(sampleSound(1));
        QCOMPARE(schemaBoxOf(*editor)->count(), 2);
        QCOMPARE(schemaBoxOf(*editor)->itemText(0), QStringLiteral("Arps"));
        QCOMPARE(editor->schema().allowedValues("cmbOsc1Forms"), QStringLiteral("01"));
        editor->loadSchema(QStringLiteral("Bass"));
        QCOMPARE(editor->schema().allowedValues("cmbOsc1Forms"), QStringLiteral("11"));
        schemaBoxOf(*editor)->setEditText(QStringLiteral("Lead"));
        namedChild<QPushButton>(editor.get(), "btnSaveRandomSchema")->click();
        QVERIFY(QFileInfo(fileOf(QStringLiteral("Lead"))).isFile());
        QVERIFY(!QFileInfo::exists(schemaPath(shared.path(), QStringLiteral("Lead"))));

        // A host without folders lists none and cannot save.
        host->schemaFolderList.clear();
        auto bare = openEditor(sampleSound(1));
        QCOMPARE(schemaBoxOf(*bare)->count(), 0);
        schemaBoxOf(*bare)->setEditText(QStringLiteral("Lead"));
        namedChild<QPushButton>(bare.get(), "btnSaveRandomSchema")->click();
        QTRY_COMPARE(errors.size(), 1);
        errors.clear();
    }

    void noSchemaFileOpensEmptyWithEveryEntryZero()
    {
        auto editor = openEditor(sampleSound(1));
        QCOMPARE(schemaBoxOf(*editor)->count(), 0);
        QCOMPARE(schemaBoxOf(*editor)->currentText(), QString());
        QCOMPARE(int(editor->schema().entries().size()), 99);
        for (const SchemaEntry& e : editor->schema().entries())
            QCOMPARE(e.allowed, QStringLiteral("0"));
    }

    void savingRefusesAnEmptyOrBadNameAndWritesNothing()
    {
        auto editor = openEditor(sampleSound(2));
        namedChild<QPushButton>(editor.get(), "btnSaveRandomSchema")->click();
        QTRY_COMPARE(errors, QStringList { QStringLiteral("Please set the schema name.") });
        errors.clear();

        const QStringList bad = { QStringLiteral("../up"), QStringLiteral("sub/x"), QStringLiteral("a\\b"),
            QStringLiteral("what?"), QStringLiteral("a:b"), QStringLiteral("dot.") };
        const QStringList problems = { QStringLiteral("path separator"), QStringLiteral("path separator"),
            QStringLiteral("path separator"), QStringLiteral("\"?\""), QStringLiteral("\":\""),
            QStringLiteral("end with") };
        for (qsizetype i = 0; i < bad.size(); ++i) {
            schemaBoxOf(*editor)->setEditText(bad.at(i));
            namedChild<QPushButton>(editor.get(), "btnSaveRandomSchema")->click();
            QTRY_COMPARE(errors.size(), 1);
            QVERIFY2(errors.at(0).contains(problems.at(i)), qPrintable(errors.at(0)));
            errors.clear();
        }
        QDir up(folder->path());
        QVERIFY(up.cdUp());
        QVERIFY(!QFile::exists(up.filePath(QStringLiteral("up.sndfamily"))));
        QVERIFY(QDir(folder->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    }

    void saveListLoadRoundTrip()
    {
        auto editor = openEditor(sampleSound(3));
        int i = 0;
        for (SchemaEntry& e : editor->schema().entries())
            e.allowed = QString::number(++i, 2);
        schemaBoxOf(*editor)->setEditText(QStringLiteral("Bass"));
        namedChild<QPushButton>(editor.get(), "btnSaveRandomSchema")->click();
        QVERIFY(QFile::exists(fileOf(QStringLiteral("Bass"))));
        QCOMPARE(schemaBoxOf(*editor)->count(), 0); // saving does not list the name
        QFile f(fileOf(QStringLiteral("Bass")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QCOMPARE(lines.at(0).trimmed(), QByteArray("[Parameters]"));
        QCOMPARE(lines.at(1).trimmed(), QByteArray("Osc1Forms=1"));
        QCOMPARE(lines.at(99).trimmed(), QByteArray("AmpADEnvMonotrig=") + QByteArray::number(99, 2));

        // A second schema that lacks a key; both are listed by name, the first loaded.
        writeFile(QStringLiteral("Alto"), "[parameters]\nosc1semitone=0010\nOsc1Semitone=1\n");
        auto second = openEditor(sampleSound(3));
        QCOMPARE(schemaBoxOf(*second)->count(), 2);
        QCOMPARE(schemaBoxOf(*second)->itemText(0), QStringLiteral("Alto"));
        QCOMPARE(schemaBoxOf(*second)->itemText(1), QStringLiteral("Bass"));
        QCOMPARE(schemaBoxOf(*second)->currentText(), QStringLiteral("Alto"));
        QCOMPARE(second->schema().allowedValues("KnobOsc1Semitone"), QStringLiteral("0010"));
        QCOMPARE(second->schema().allowedValues("cmbOsc1Forms"), QStringLiteral("0"));

        // Typing the other name loads nothing, Enter included; picking it loads it.
        schemaBoxOf(*second)->setFocus();
        schemaBoxOf(*second)->lineEdit()->selectAll();
        sondrake::testing::keyClicks(schemaBoxOf(*second)->lineEdit(), QStringLiteral("Bass"));
        sondrake::testing::keyClick(schemaBoxOf(*second)->lineEdit(), Qt::Key_Return);
        QCOMPARE(second->schema().allowedValues("KnobOsc1Semitone"), QStringLiteral("0010"));
        // Leaving the box (as on the way to "Save") loads nothing either.
        QVERIFY(schemaBoxOf(*second)->lineEdit()->hasFocus());
        namedChild<QLineEdit>(second.get(), "edtName")->setFocus();
        QCoreApplication::processEvents();
        QVERIFY(!schemaBoxOf(*second)->lineEdit()->hasFocus());
        QCOMPARE(schemaBoxOf(*second)->currentText(), QStringLiteral("Bass"));
        QCOMPARE(second->schema().allowedValues("KnobOsc1Semitone"), QStringLiteral("0010"));
        QCOMPARE(schemaBoxOf(*second)->count(), 2);
        schemaBoxOf(*second)->setCurrentIndex(1);
        emit schemaBoxOf(*second)->activated(1);
        for (std::size_t k = 0; k < 99; ++k)
            QCOMPARE(second->schema().entries()[k].allowed, QString::number(int(k) + 1, 2));

        // Saving over the hand-written file keeps what it does not own.
        writeFile(QStringLiteral("Alto"), "; mine\n[Other]\nx=1\n[Parameters]\nOsc1Semitone=1\nExtra=7\n");
        schemaBoxOf(*second)->setEditText(QStringLiteral("Alto"));
        namedChild<QPushButton>(second.get(), "btnSaveRandomSchema")->click();
        QFile alto(fileOf(QStringLiteral("Alto")));
        QVERIFY(alto.open(QIODevice::ReadOnly));
        const QByteArray text = alto.readAll();
        QVERIFY(text.startsWith("; mine\n[Other]\nx=1\n[Parameters]\nOsc1Semitone=11\nExtra=7\nOsc1Forms=1\n"));
    }

    void aFailingSaveOrLoadShowsTheError()
    {
        auto editor = openEditor(sampleSound(4));
        // A missing folder is made (the user's data folder before the first
        // save); one whose place a file takes cannot be.
        host->schemaFolderList = { folder->filePath(QStringLiteral("new/deeper")) };
        schemaBoxOf(*editor)->setEditText(QStringLiteral("Lead"));
        namedChild<QPushButton>(editor.get(), "btnSaveRandomSchema")->click();
        QVERIFY(QFileInfo(folder->filePath(QStringLiteral("new/deeper/Lead.sndfamily"))).isFile());
        QVERIFY(errors.isEmpty());
        QFile blocker(folder->filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        host->schemaFolderList = { folder->filePath(QStringLiteral("blocker/deeper")) };
        schemaBoxOf(*editor)->setEditText(QStringLiteral("Lead"));
        namedChild<QPushButton>(editor.get(), "btnSaveRandomSchema")->click();
        QTRY_COMPARE(errors.size(), 1);
        QVERIFY(!errors.at(0).isEmpty());
        errors.clear();

        // A schema path that is a folder cannot be read: the entries stay.
        host->schemaFolderList = { folder->path() };
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("Pad.sndfamily")));
        editor->schema().setAllowedValues("cmbOsc1Forms", QStringLiteral("01"));
        editor->loadSchema(QStringLiteral("Pad"));
        QTRY_COMPARE(errors.size(), 1);
        errors.clear();
        QCOMPARE(editor->schema().allowedValues("cmbOsc1Forms"), QStringLiteral("01"));
    }

    void createBuildsFromTheControlsAndClearsTheName()
    {
        writeFile(QStringLiteral("Keys"), "[Parameters]\n");
        host->toleranceValues = { 1, 5, 2, 64 };
        SoundDump sound = sampleSound(5);
        writeValue(sound, row("KnobOsc1Semitone"), 64);
        writeValue(sound, row("ckbOsc12Sync"), 1);
        writeValue(sound, row("cmbFilterType"), 1);
        writeValue(sound, row("KnobOsc1Detune"), 65);
        writeValue(sound, row("sldAmpAttack"), 20);
        auto editor = openEditor(sound);
        QCOMPARE(schemaBoxOf(*editor)->currentText(), QStringLiteral("Keys"));

        // Cancel changes nothing.
        const std::vector<SchemaEntry> before = editor->schema().entries();
        bool seen = false;
        whenOpen<ToleranceDialog>(
            [](ToleranceDialog* d) {
                namedChild<QSlider>(d, "trbDetuneTolerance")->setValue(9);
                namedChild<QPushButton>(d, "btnCancel")->click();
            },
            &seen);
        namedChild<QPushButton>(editor.get(), "btnCreateSchemaFromCurrentSound")->click();
        QVERIFY(seen);
        QCOMPARE(schemaBoxOf(*editor)->currentText(), QStringLiteral("Keys"));
        QCOMPARE(host->toleranceValues.detune, 64);
        for (std::size_t k = 0; k < before.size(); ++k)
            QCOMPARE(editor->schema().entries()[k].allowed, before[k].allowed);
        QTest::qWait(20);
        // A live edit not in the working copy: the schema follows what is shown.
        editor->setControlValue(row("sldAmpAttack"), 100);

        QStringList shown;
        QString caption;
        whenOpen<ToleranceDialog>([&](ToleranceDialog* d) {
            caption = d->windowTitle();
            for (const char* name : { "lblComboBoxTolerance", "lblOtherKnobTolerance", "lblSemitoneTolerance",
                     "lblDetuneTolerance" })
                shown << namedChild<QLabel>(d, name)->text();
            namedChild<QSlider>(d, "trbComboBoxTolerance")->setValue(0);
            namedChild<QSlider>(d, "trbOtherKnobTolerance")->setValue(3);
            shown << namedChild<QLabel>(d, "lblOtherKnobTolerance")->text();
            namedChild<QPushButton>(d, "btnCreate")->click();
        }, &seen);
        namedChild<QPushButton>(editor.get(), "btnCreateSchemaFromCurrentSound")->click();
        QVERIFY(seen);
        QCOMPARE(caption, QStringLiteral("Create Schema Parameters"));
        QCOMPARE(shown, (QStringList { "1", "5", "2", "64", "3" }));
        QCOMPARE(schemaBoxOf(*editor)->currentText(), QString());
        QCOMPARE(schemaBoxOf(*editor)->count(), 2);
        QCOMPARE(schemaBoxOf(*editor)->itemText(1), QString());
        QCOMPARE(host->toleranceValues.comboBox, 0);
        QCOMPARE(host->toleranceValues.otherKnobs, 3);
        QCOMPARE(host->toleranceValues.semitone, 2);
        QCOMPARE(host->toleranceValues.detune, 64);

        const SoundFamilySchema& s = editor->schema();
        QCOMPARE(s.allowedValues("KnobOsc1Semitone"), repeat('0', 10) + repeat('1', 5) + repeat('0', 10));
        QCOMPARE(s.allowedValues("ckbOsc12Sync"), QStringLiteral("10"));
        QCOMPARE(s.allowedValues("cmbFilterType"), QStringLiteral("010"));
        QCOMPARE(s.allowedValues("sldAmpAttack"), repeat('0', 97) + repeat('1', 7) + repeat('0', 24));
        QCOMPARE(s.allowedValues("KnobOsc1Detune"), repeat('1', 100));
        QCOMPARE(s.allowedValues("cmbFixedNote").size(), 128);

        // With the box already empty the list is left alone.
        whenOpen<ToleranceDialog>(
            [](ToleranceDialog* d) { namedChild<QPushButton>(d, "btnCreate")->click(); }, &seen);
        namedChild<QPushButton>(editor.get(), "btnCreateSchemaFromCurrentSound")->click();
        QCOMPARE(schemaBoxOf(*editor)->count(), 2);
    }

    void randomizeButtonsChangeOnlyTheirGroups()
    {
        struct Case {
            const char* button;
            std::vector<std::string_view> controls;
        };
        const std::vector<Case> cases = {
            { "btnRandomizeOscillators", controlsOf({ pt::kDrawOsc1, pt::kDrawOsc2, pt::kDrawOsc3 }) },
            { "btnRandomizeFilters", controlsOf({ pt::kDrawFilter }) },
            { "btnRandomizeEnvelopes", controlsOf({ pt::kDrawEnvelopes }) },
            { "btnRandomizeLFOs", controlsOf({ pt::kDrawLfos }) },
            { "btnRandomizeSound",
                controlsOf({ pt::kDrawOsc1, pt::kDrawOsc2, pt::kDrawOsc3, pt::kDrawNoiseRing,
                    pt::kDrawOscCommon, pt::kDrawFilter, pt::kDrawLfos, pt::kDrawEnvelopes }) },
        };
        unsigned seed = 10;
        for (const Case& c : cases) {
            const SoundDump sound = sampleSound(++seed);
            auto editor = openEditor(sound);
            host->random = Generator(seed);
            allowEverything(editor->schema());
            QTest::qWait(50);
            drained(*session, *rec);
            rec->clear();
            editor->setModified(false);

            namedChild<QPushButton>(editor.get(), c.button)->click();
            QVERIFY(editor->isModified());
            const std::map<int, std::uint8_t> bits = bitsOf(c.controls);
            for (std::size_t b = 0; b < sound.size(); ++b) {
                const auto it = bits.find(int(b));
                const std::uint8_t mask = it == bits.end() ? 0 : it->second;
                QVERIFY2(
                    ((sound[b] ^ editor->workingCopy()[b]) & ~mask) == 0, qPrintable(QString::number(b)));
            }
            int changed = 0;
            for (std::string_view name : c.controls)
                changed += readValue(sound, row(name)) != readValue(editor->workingCopy(), row(name));
            QVERIFY(changed >= int(c.controls.size()) / 3);
            // Every control shows the working copy; the changed knobs and
            // sliders on the shown tab went out.
            QTest::qWait(50);
            const std::vector<Event> events = drained(*session, *rec);
            for (const ControlRow& r : editor->parameterPages().rows) {
                if (!r.entry->isStored())
                    continue;
                const int now = readValue(editor->workingCopy(), *r.entry);
                if (now >= r.entry->minimum && now <= r.entry->maximum)
                    QCOMPARE(editor->controlValue(*r.entry), now);
                if (r.knob && r.entry->tab == "Oscillators" && now != readValue(sound, *r.entry))
                    QVERIFY2(countOf(events, liveEvent(*r.entry, now)) >= 1, std::string(r.entry->control).c_str());
                // A drawn list value is heard too, on every tab, exactly once.
                if (r.entry->kind == ControlKind::List && now != readValue(sound, *r.entry))
                    QVERIFY2(countOf(events, liveEvent(*r.entry, now)) == 1, std::string(r.entry->control).c_str());
            }
            QTRY_VERIFY(messages.contains(QStringLiteral("send")));
        }
    }

    void randomizingAnEmptySchemaGivesTheMiddles()
    {
        const SoundDump sound = sampleSound(20);
        auto editor = openEditor(sound);
        namedChild<QPushButton>(editor.get(), "btnRandomizeSound")->click();
        QCOMPARE(editor->controlValue(row("KnobOsc1Semitone")), 64);
        QCOMPARE(editor->controlValue(row("KnobOsc2Detune")), 65);
        QCOMPARE(editor->controlValue(row("KnobMixerOut")), 15); // 0..30
        QCOMPARE(editor->controlValue(row("KnobFrequency")), 64);
        QCOMPARE(editor->schema().allowedValues("KnobOsc1Semitone"), repeat('0', 12) + u'1' + repeat('0', 12));
        // A list, slider or check box whose text allows nothing takes the
        // first position: the first item, 0, "On".
        for (std::string_view c : { "cmbOsc1Forms", "cmbFixedNote", "sldAmpDecay" })
            QCOMPARE(editor->controlValue(row(c)), 0);
        QCOMPARE(editor->controlValue(row("ckbLfo1Keysync")), 1);
        for (const SchemaEntry& e : editor->schema().entries()) {
            if (e.parameter->kind == ControlKind::Knob)
                QCOMPARE(e.allowed.size(), e.parameter->valueCount());
            else
                QCOMPARE(e.allowed, QStringLiteral("0"));
        }
    }

    void listDialogButtonsAndKeys()
    {
        auto editor = openEditor(sampleSound(30));
        // A 128-row list (fixed note) with only row 100 allowed.
        QString start = repeat('0', 128);
        start[100] = u'1';
        editor->schema().setAllowedValues("cmbFixedNote", start);
        QStringList seenTexts;
        QString caption;
        bool openedUnselected = false;
        QVERIFY(openList(*editor, 41, [&](ParameterListDialog* d) {
            caption = d->windowTitle();
            openedUnselected = listOf(d)->selectedItems().isEmpty();
            seenTexts << d->checkedText();
            namedChild<QPushButton>(d, "Button4")->click(); // nothing selected: no change
            seenTexts << d->checkedText();
            namedChild<QPushButton>(d, "Button3")->click();
            seenTexts << d->checkedText();
            listOf(d)->setCurrentRow(5);
            namedChild<QPushButton>(d, "Button3")->click(); // rows 0..5
            seenTexts << d->checkedText();
            namedChild<QPushButton>(d, "Button2")->click(); // invert
            seenTexts << d->checkedText();
            listOf(d)->setCurrentRow(120);
            namedChild<QPushButton>(d, "Button4")->click(); // rows 120..127
            seenTexts << d->checkedText();
            namedChild<QPushButton>(d, "btnSelectAll")->click();
            seenTexts << d->checkedText();
            namedChild<QPushButton>(d, "Button2")->click();
            listOf(d)->item(7)->setCheckState(Qt::Checked);
            namedChild<QPushButton>(d, "Button1")->click();
        }));
        QCOMPARE(caption, QStringLiteral("Parameter List View"));
        QVERIFY(openedUnselected);
        QCOMPARE(seenTexts.size(), 7);
        QCOMPARE(seenTexts.at(0), start);
        QCOMPARE(seenTexts.at(1), start);
        QCOMPARE(seenTexts.at(2), start);
        QString to5 = start;
        to5.replace(0, 6, repeat('1', 6));
        QCOMPARE(seenTexts.at(3), to5);
        QString inverted = to5;
        for (QChar& c : inverted)
            c = c == u'1' ? u'0' : u'1';
        QCOMPARE(seenTexts.at(4), inverted);
        QCOMPARE(seenTexts.at(5), inverted.left(120) + repeat('1', 8));
        QCOMPARE(seenTexts.at(6), repeat('1', 128));
        QString only7 = repeat('0', 128);
        only7[7] = u'1';
        QCOMPARE(editor->schema().allowedValues("cmbFixedNote"), only7);

        // Escape: its press leaves the dialog open, its release closes it and
        // nothing is stored. The close box stores nothing either.
        bool openAfterPress = false;
        QVERIFY(openList(*editor, 41, [&](ParameterListDialog* d) {
            namedChild<QPushButton>(d, "btnSelectAll")->click();
            sondrake::testing::keyPress(listOf(d), Qt::Key_Escape);
            openAfterPress = d->isVisible();
            sondrake::testing::keyRelease(listOf(d), Qt::Key_Escape);
        }));
        QVERIFY(openAfterPress);
        QCOMPARE(editor->schema().allowedValues("cmbFixedNote"), only7);
        QVERIFY(openList(*editor, 41, [&](ParameterListDialog* d) {
            namedChild<QPushButton>(d, "btnSelectAll")->click();
            d->close();
        }));
        QCOMPARE(editor->schema().allowedValues("cmbFixedNote"), only7);

        // Enter confirms, also with the focus on one of the small buttons.
        QVERIFY(openList(*editor, 41, [&](ParameterListDialog* d) {
            QPushButton* invert = namedChild<QPushButton>(d, "Button2");
            invert->click();
            invert->setFocus();
            sondrake::testing::keyClick(invert, Qt::Key_Return);
        }));
        QString notOnly7 = repeat('1', 128);
        notOnly7[7] = u'0';
        QCOMPARE(editor->schema().allowedValues("cmbFixedNote"), notOnly7);

        // Each "Ok" that changed the text is a step; closing without one is not.
        QUndoStack* history = editor->history();
        QCOMPARE(history->count(), 2);
        QCOMPARE(history->undoText(), QStringLiteral("Allowed values of Fixed Note (Oscillators Common)"));
        history->undo();
        QCOMPARE(editor->schema().allowedValues("cmbFixedNote"), only7);
        history->undo();
        QCOMPARE(editor->schema().allowedValues("cmbFixedNote"), start);
        history->redo();
        history->redo();
        QCOMPARE(editor->schema().allowedValues("cmbFixedNote"), notOnly7);
        // Another schema loaded: its entry is left alone and the step goes.
        editor->loadSchema(QStringLiteral("other"));
        const QString loaded = editor->schema().allowedValues("cmbFixedNote");
        history->undo();
        QCOMPARE(editor->schema().allowedValues("cmbFixedNote"), loaded);
        QCOMPARE(history->count(), 1);
    }

    void listDialogOfAKnobAndACheckBox()
    {
        auto editor = openEditor(sampleSound(31));
        // A knob whose text allows nothing opens with its middle row ticked.
        editor->schema().setAllowedValues("KnobOsc1Semitone", QStringLiteral("0"));
        QString caption;
        QStringList rows;
        QString shown;
        QVERIFY(openList(*editor, 3, [&](ParameterListDialog* d) {
            caption = d->windowTitle();
            for (int i = 0; i < listOf(d)->count(); ++i)
                rows << listOf(d)->item(i)->text();
            shown = d->checkedText();
            sondrake::testing::keyClick(listOf(d), Qt::Key_Return);
        }));
        QCOMPARE(caption, QStringLiteral("Parameter List View (Semitone)"));
        QCOMPARE(rows.size(), 25);
        QCOMPARE(rows.first(), QStringLiteral("52"));
        QCOMPARE(rows.last(), QStringLiteral("76"));
        const QString middle = repeat('0', 12) + u'1' + repeat('0', 12);
        QCOMPARE(shown, middle);
        QCOMPARE(editor->schema().allowedValues("KnobOsc1Semitone"), middle);

        // A bipolar knob shows its negative values; Escape keeps the entry.
        editor->schema().setAllowedValues("KnobOsc1ManualPW", QString());
        QVERIFY(openList(*editor, 6, [&](ParameterListDialog* d) {
            rows = { listOf(d)->item(0)->text(), listOf(d)->item(64)->text() };
            shown = d->checkedText();
            sondrake::testing::keyPress(listOf(d), Qt::Key_Escape);
            sondrake::testing::keyRelease(listOf(d), Qt::Key_Escape);
        }));
        QCOMPARE(rows, (QStringList { "-64", "0" }));
        QCOMPARE(shown, repeat('0', 64) + u'1' + repeat('0', 63));
        QCOMPARE(editor->schema().allowedValues("KnobOsc1ManualPW"), QString());

        // A check box with an empty text shows both states allowed.
        editor->schema().setAllowedValues("ckbOsc12Sync", QString());
        QVERIFY(openList(*editor, 40, [&](ParameterListDialog* d) {
            caption = d->windowTitle();
            rows = { listOf(d)->item(0)->text(), listOf(d)->item(1)->text() };
            shown = d->checkedText();
            listOf(d)->item(1)->setCheckState(Qt::Unchecked);
            namedChild<QPushButton>(d, "Button1")->click();
        }));
        QCOMPARE(caption, QStringLiteral("Parameter List View (Osc 1>2 Sync)"));
        QCOMPARE(rows, (QStringList { "On", "Off" }));
        QCOMPARE(shown, QStringLiteral("11"));
        QCOMPARE(editor->schema().allowedValues("ckbOsc12Sync"), QStringLiteral("10"));
    }
};

QTEST_MAIN(TestSchemaUi)
#include "test_schemaui.moc"
