#pragma once
// Waiting on the event loop for something the program does in the background. Header-only, so
// that the support library links no GoogleTest.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <gtest/gtest.h>

namespace orvane::test {

// Lets events through until done() holds; fails the test when it never does.
template <typename Done> void ProcessUntil(Done done) {
    QDeadlineTimer deadline(30000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(done());
}

} // namespace orvane::test
