#include "TempDir.h"

#include <QDir>

namespace orvane::test {

TempDir::TempDir()
    : dir_(QDir::tempPath() + QStringLiteral("/orvane-test-XXXXXX")) {}

} // namespace orvane::test
