#pragma once

#include <QAccessible>

// What assistive technology sees of a ProgressBar: a progress bar from 0 to
// 100 whose name is the text drawn across it. The factory answers for
// ProgressBar objects only.
QAccessibleInterface* accessibleProgressBar(const QString& className, QObject* object);
