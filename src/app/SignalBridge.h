#pragma once
// Turns SIGTERM and SIGINT into a Qt signal on the GUI thread, so that stopping the program from
// outside runs the same shutdown as closing its window.

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace orvane {

class SignalBridge : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; only one bridge may exist at a time.
    explicit SignalBridge(QObject* parent = nullptr);
    ~SignalBridge() override;

signals:
    void TerminationRequested(int signalNumber);

private:
    void readSignal();

    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace orvane
