#pragma once
// The QApplication of a widget test binary: made before the first test (or by the first call of
// WidgetApp()) and destroyed after the last test, while Qt's own globals still exist (as a
// static it would outlive some of them). Header-only, so that the support library links neither
// widgets nor GoogleTest; including it is enough to register it.

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace orvane::test {

class WidgetTestApp : public ::testing::Environment {
public:
    void SetUp() override { Get(); }
    void TearDown() override { app_.reset(); }

    QApplication& Get() {
        if (!app_) {
            // The net browser's web engine runs as root in CI: without its sandbox, and
            // without a GPU; it shares its drawing contexts as the program's main asks.
            if (!qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
                qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
            if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
                qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
            if (!qEnvironmentVariableIsSet("LIBGL_ALWAYS_SOFTWARE"))
                qputenv("LIBGL_ALWAYS_SOFTWARE", "1");
            QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
            app_ = std::make_unique<QApplication>(argc_, argv_);
        }
        return *app_;
    }
    static WidgetTestApp& Instance() {
        static WidgetTestApp* const environment = static_cast<WidgetTestApp*>(
            ::testing::AddGlobalTestEnvironment(std::make_unique<WidgetTestApp>().release()));
        return *environment;
    }

private:
    int argc_ = 1;
    char name_[16] = "orvane_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

// Registered when the test binary starts.
[[maybe_unused]] inline WidgetTestApp& kWidgetTestApp = WidgetTestApp::Instance();

inline QApplication& WidgetApp() {
    return WidgetTestApp::Instance().Get();
}

} // namespace orvane::test
