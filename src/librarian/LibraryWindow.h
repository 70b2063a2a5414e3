#pragma once

// "Sound Library": the searchable list of every sound the program has seen,
// the details of the selected one, and the commands on the selection. The
// window only asks: sending a sound and putting it into a slot are signals
// for whoever owns the synthesizer and the sound list.

#include "library/LibraryDatabase.h"

#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace sondrake {

namespace library {
    class Library;
    class LibraryModel;
}

class LibraryWindow : public QWidget {
    Q_OBJECT

public:
    explicit LibraryWindow(library::Library& library, QWidget* parent = nullptr);

    QTableView* table() const { return m_table; }
    library::LibraryModel* model() const { return m_model; }
    // The id of the current sound, 0 when none.
    qint64 currentId() const;

signals:
    void sendToSynthRequested(const sondrake::SoundDump& dump);
    void putIntoSlotRequested(const sondrake::SoundDump& dump);
    // A command that failed, for the Messages box.
    void message(const QString& line);

private:
    void onSearch();
    void onSelectionChanged();
    void onSendToSynth();
    void onPutIntoSlot();
    void onFavourite();
    void onTagsEdited();
    void onCommentEdited();
    void onDelete();
    void onSimilar();
    void onDuplicates();
    void onLibraryOpened(bool available, const QString& line);
    void showCount(const QString& what);
    std::optional<library::SoundRecord> currentRecord() const;
    void setCommandsEnabled();

    library::Library& m_library;
    library::LibraryModel* m_model = nullptr;
    QLineEdit* m_search = nullptr;
    QLabel* m_status = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_name = nullptr;
    QPlainTextEdit* m_details = nullptr;
    std::vector<QCheckBox*> m_categories; // one a category, in their order
    QLineEdit* m_freeTags = nullptr;
    QLineEdit* m_comment = nullptr;
    QPushButton* m_send = nullptr;
    QPushButton* m_put = nullptr;
    QPushButton* m_favourite = nullptr;
    QPushButton* m_similar = nullptr;
    QPushButton* m_duplicates = nullptr;
    QPushButton* m_delete = nullptr;
    qint64 m_shownId = 0; // the sound whose details are shown
    bool m_loading = false; // filling the fields, not the user editing them
};

} // namespace sondrake
