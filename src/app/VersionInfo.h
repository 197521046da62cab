#pragma once
// The program's version, as the splash and about windows show it.

#include <QString>

namespace orvane {

class TVersionInfo {
public:
    QString FileVersion() const { return QStringLiteral(ORVANE_VERSION); }
    // "v" + the file version text.
    QString DisplayText() const { return QStringLiteral("v") + FileVersion(); }
};

} // namespace orvane
