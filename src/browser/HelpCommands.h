#pragma once
// The Help menu and the help keys: "Help topics" and the toolbar's Help button open the help
// window on its Contents tab, "Index" on its Index tab, F1 on the page of the window that has
// the focus; the two web-page commands open the default browser; "&Info" and the tray menu's
// "Orvane..." show the about window. A child of the main window; GUI thread only.

#include "browser/HelpWindow.h"
#include "browser/WebLinks.h"

#include <QObject>
#include <QPointer>

namespace orvane {

class Prompts;
class TfrmMain;

class THelpCommands : public QObject {
    Q_OBJECT
public:
    // helpFolder holds the help pages; version is the build's version text.
    THelpCommands(TfrmMain& main, Prompts& prompts, const QString& helpFolder,
                  const QString& version);

    // Replaces the default browser (tests).
    void SetOpener(UrlOpener open) { open_ = std::move(open); }

    void ShowHelp(THelpWindow::Tab tab);
    // The page of window (its class), over whatever window is modal now.
    void ShowHelpFor(const QWidget* window);
    // A page of the help folder ("player.htm#wav") on the Contents tab.
    void ShowHelpPage(const QString& page);
    void About();
    // The help window, null until first shown or after the dialog it was opened over went.
    THelpWindow* HelpWindow() const { return help_; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    THelpWindow& helpWindow();

    TfrmMain& main_;
    Prompts& prompts_;
    QString folder_;
    QString version_;
    UrlOpener open_;
    QPointer<THelpWindow> help_;
};

} // namespace orvane
