#pragma once
// Whole files as bytes, for tests that write fixtures and check what the program wrote.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace orvane::test {

// False when the file could not be written whole.
bool WriteFile(const QString& path, const QByteArray& bytes);
// Empty when the file cannot be read.
QByteArray ReadFile(const QString& path);
// Sets the file's last-write time; false when it could not be set.
bool SetModified(const QString& path, const QDateTime& when);

} // namespace orvane::test
