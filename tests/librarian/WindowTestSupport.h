#pragma once

// Small helpers shared by the window tests of the librarian.

#include "ModalTestSupport.h"

#include <QLabel>
#include <QObject>
#include <QTest>
#include <QWidget>

namespace sondrake::testing {

// Answers the next message box with Return, keeping its text in `text`.
inline void answerNextMessageBox(QString* text)
{
    onNextModal([text](QWidget* box) {
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
            *text = label->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
}

} // namespace sondrake::testing
