#pragma once

// The rename dialog: a category list that is only shown, the name field of
// at most 16 characters, and "&Ok". The caller sets the caption and the name.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace sondrake {

class RenameDialog : public QDialog {
    Q_OBJECT

public:
    explicit RenameDialog(QWidget* parent = nullptr);

    static const QStringList& categories();

    QString name() const;
    void setName(const QString& name);

private:
    QComboBox* m_categoryList = nullptr; // "Category": shown, neither preset nor read
    QLineEdit* m_nameEdit = nullptr;
    QPushButton* m_okButton = nullptr;
};

} // namespace sondrake
