#pragma once
// The about window "Info": the product, its maker, the version of this build and the
// libraries it is built on. Modal, always on top, centred on the screen.

#include "browser/WebLinks.h"

#include <QDialog>

class QLabel;

namespace orvane {

class Prompts;

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    // version: the build's version text ("1.2.0"); the maker's link opens with open.
    TfrmAbout(const QString& version, UrlOpener open, Prompts& prompts, QWidget* parent = nullptr);

    QLabel* lblVersion() const { return lblVersion_; }
    QLabel* lblLink() const { return lblLink_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* lblVersion_ = nullptr;
    QLabel* lblLink_ = nullptr;
};

} // namespace orvane
