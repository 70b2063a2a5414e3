#pragma once

// The name fields of the program (the rename dialog's and the editor's):
// what the user types is shown as it will be stored, 7-bit printable text,
// so the name that goes out inside the sound's SysEx is the one on screen.

#include <QValidator>

namespace sondrake {

class SoundNameValidator : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

    // Each character as it is stored (é → e, ß → s, anything else without a
    // printable 7-bit form → "?").
    static QString storable(const QString& text);
};

} // namespace sondrake
