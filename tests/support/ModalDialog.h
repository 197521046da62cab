#pragma once
// Acting on a modal dialog from inside its own event loop: the test schedules what the user does
// before the command that opens the dialog runs. Header-only (widgets are linked by the test).

#include <QApplication>
#include <QTimer>
#include <functional>

namespace orvane::test {

// Runs act on the dialog of type Dialog as soon as it is the active modal window.
template <typename Dialog> void WhenShown(std::function<void(Dialog&)> act) {
    QTimer::singleShot(10, [act] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
            act(*dialog);
        else
            WhenShown<Dialog>(act);
    });
}

} // namespace orvane::test
