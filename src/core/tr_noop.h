// Marks the user-visible texts of the plain C++ libraries for Qt's lupdate without linking
// Qt: the GUI translates them with QCoreApplication::translate(scope, text).
#pragma once

#ifndef QT_TRANSLATE_NOOP
// Spelled as Qt spells it, so that either definition may come first.
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
