#pragma once

// Small helpers shared by the window tests of the librarian.

#include "ModalTestSupport.h"

#include <QObject>
#include <QWidget>

namespace sondrake::testing {

// The child of `parent` with that object name; a missing one ends the test
// program, since every later step would only fail more obscurely.
template <typename T> T* namedChild(const QObject* parent, const char* name)
{
    auto* c = parent->findChild<T*>(QString::fromLatin1(name));
    if (!c)
        qFatal("no child %s", name);
    return c;
}

} // namespace sondrake::testing
