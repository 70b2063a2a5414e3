#pragma once

// The autoload dialog: whether a bank file is loaded at start-up, and which.
// The caller fills it from the autoload file name and reads it back after
// "&Ok" (see MainWindow::onAutoloadSettings).

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace sondrake {

class LibrarianDialogs;

class AutoloadDialog : public QDialog {
    Q_OBJECT

public:
    // "..." chooses the file through `dialogs`.
    explicit AutoloadDialog(LibrarianDialogs& dialogs, QWidget* parent = nullptr);

    // Shows the autoload file name; "Enable" is ticked when there is one.
    void setAutoloadFileName(const QString& name);
    // The name to keep after "&Ok": the typed path when "Enable" is ticked,
    // empty otherwise.
    QString autoloadFileName() const;

private:
    void onBrowse();

    LibrarianDialogs& m_dialogs;

    QGroupBox* m_autoloadGroup = nullptr;
    QCheckBox* m_enableBox = nullptr; // "Enable"
    QLineEdit* m_fileEdit = nullptr;
    QPushButton* m_browseButton = nullptr;
    QPushButton* m_okButton = nullptr;
};

} // namespace sondrake
