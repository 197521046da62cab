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
        if (!app_)
            app_ = std::make_unique<QApplication>(argc_, argv_);
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
