#include "ComponentHarness.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <memory>

namespace orvane::test {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "playback_tests";
    static char* argv[] = {name, nullptr};
    static auto app = std::make_unique<QCoreApplication>(argc, argv);
    return *app;
}

bool ProcessUntil(const std::function<bool()>& done, int deadlineMs) {
    App();
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > deadlineMs) {
            ADD_FAILURE() << "the awaited events did not come";
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace orvane::test
