#pragma once
// Texts to compare at once with the expected ones: the captions of a list widget, the lines of
// a text file with Windows line ends. Header-only, for the window tests.

#include "support/FileBytes.h"

#include <QListWidget>
#include <QStringList>

namespace orvane::test {

inline QStringList Captions(const QListWidget* list) {
    QStringList captions;
    for (int i = 0; i < list->count(); ++i)
        captions.append(list->item(i)->text());
    return captions;
}

inline QStringList Lines(const QString& path) {
    return QString::fromUtf8(ReadFile(path)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

} // namespace orvane::test
