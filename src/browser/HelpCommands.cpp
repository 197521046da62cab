#include "browser/HelpCommands.h"

#include "browser/TfrmAbout.h"
#include "browser/TfrmMain.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>

namespace orvane {

THelpCommands::THelpCommands(TfrmMain& main, Prompts& prompts, const QString& helpFolder,
                             const QString& version)
    : QObject(&main)
    , main_(main)
    , prompts_(prompts)
    , folder_(helpFolder)
    , version_(version)
    , open_(DefaultBrowser()) {
    const auto contents = [this] {
        ShowHelp(THelpWindow::Tab::Contents);
    };
    main_.SetHandler(QStringLiteral("Helpcontents1Click"), contents);
    main_.SetHandler(QStringLiteral("btnHelpClick"), contents);
    main_.SetHandler(QStringLiteral("Index1Click"), [this] { ShowHelp(THelpWindow::Tab::Index); });
    main_.SetHandler(QStringLiteral("Orvanewebsite1Click"),
                     [this] { OpenInDefaultBrowser(kProductSite, open_, prompts_); });
    main_.SetHandler(QStringLiteral("Productnews1Click"),
                     [this] { OpenInDefaultBrowser(kMakerSite, open_, prompts_); });
    main_.SetHandler(QStringLiteral("About2Click"), [this] { About(); });
    main_.SetHandler(QStringLiteral("Orvane1Click"), [this] { About(); });
    qApp->installEventFilter(this);
    main_.UpdateCommands();
}

THelpWindow& THelpCommands::helpWindow() {
    // Over a modal dialog the help window must be its child, or the dialog would block it; it
    // then goes with the dialog and is made again next time.
    QWidget* modal = QApplication::activeModalWidget();
    if (help_ && modal && help_->parentWidget() != modal)
        delete help_;
    if (!help_) {
        QWidget* over = modal ? modal : &main_;
        help_ = new THelpWindow(folder_, over);
        // Over a window that stays on top (the about window), or it would be hidden behind it.
        help_->setWindowFlag(Qt::WindowStaysOnTopHint,
                             over->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        // Beside the window it helps with, inside the screen.
        const QRect screen = over->screen()->availableGeometry();
        QRect frame(QPoint(), help_->size().boundedTo(screen.size() * 0.9));
        frame.moveCenter(over->frameGeometry().center() + QPoint(40, 40));
        frame.moveLeft(std::clamp(frame.left(), screen.left(), screen.right() - frame.width()));
        frame.moveTop(std::clamp(frame.top(), screen.top(), screen.bottom() - frame.height()));
        help_->setGeometry(frame);
    }
    return *help_;
}

void THelpCommands::ShowHelp(THelpWindow::Tab tab) {
    THelpWindow& help = helpWindow();
    help.ShowTab(tab);
    help.show();
    help.raise();
    help.activateWindow();
}

void THelpCommands::ShowHelpFor(const QWidget* window) {
    ShowHelpPage(helpWindow().Catalog().PageFor(
        window ? QString::fromLatin1(window->metaObject()->className()) : QString()));
}

void THelpCommands::ShowHelpPage(const QString& page) {
    THelpWindow& help = helpWindow();
    help.ShowPage(page);
    help.show();
    help.raise();
    help.activateWindow();
}

void THelpCommands::About() {
    TfrmAbout about(version_, open_, prompts_, &main_);
    about.exec();
}

bool THelpCommands::eventFilter(QObject* watched, QEvent* event) {
    // One F1 press arrives at the focus widget and again at each parent it is passed to: act
    // on the first, at a window of ours, and swallow it.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier && watched->isWidgetType()) {
        const QWidget* window = static_cast<QWidget*>(watched)->window();
        if (window != help_.data()) {
            ShowHelpFor(window);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orvane
