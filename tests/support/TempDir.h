#pragma once
// A temporary folder removed with everything in it when the owner goes.

#include <QString>
#include <QTemporaryDir>

namespace orvane::test {

class TempDir {
public:
    TempDir();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

} // namespace orvane::test
