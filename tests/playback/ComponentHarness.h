#pragma once
// What the component tests share: the application object that delivers queued calls, and a
// wait that processes events until a condition holds or a generous deadline passes.

#include <QCoreApplication>
#include <functional>

namespace orvane::test {

QCoreApplication& App();
// Processes events until done() is true; false (and a test failure) after the deadline.
bool ProcessUntil(const std::function<bool()>& done, int deadlineMs = 30000);

} // namespace orvane::test
