#include "browser/TfrmMain.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace orvane {

namespace {
// The fixed children of the root node, kept sorted by text.
const char* const kFolderNodes[] = {"Albums", "Artists", "Favourites", "Genres",       "My files",
                                    "NEW",    "Playing", "Playlist",   "Removed songs"};
} // namespace

TfrmMain::TfrmMain(QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Orvane"));
    resize(900, 600);

    buildMenus();
    buildAdvancedToolbar();
    auto* splitter = new QSplitter(this);
    splitter_ = splitter;
    tvFolders_ = new QTreeWidget(splitter);
    tvFolders_->setObjectName(QStringLiteral("tvFolders"));
    tvFolders_->setHeaderLabel(QStringLiteral(" Orvane folders"));
    buildFolderTree();

    auto* songPane = new QWidget(splitter);
    auto* layout = new QVBoxLayout(songPane);
    layout->setContentsMargins(0, 0, 0, 0);
    lblTitle_ = new QLabel(songPane);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    lblTitle_->setTextFormat(Qt::PlainText);
    QFont titleFont = lblTitle_->font();
    titleFont.setBold(true);
    titleFont.setPointSize(16);
    lblTitle_->setFont(titleFont);
    lblTitle_->setAutoFillBackground(true);
    lblTitle_->setBackgroundRole(QPalette::Dark);
    lblTitle_->setForegroundRole(QPalette::BrightText);
    pnlCaptionBar_ = new QLabel(QStringLiteral("Duration..."), songPane);
    pnlCaptionBar_->setObjectName(QStringLiteral("pnlCaptionBar"));
    lvSelection_ = new QTableView(songPane);
    lvSelection_->setObjectName(QStringLiteral("lvSelection"));
    selection_ = new SongListModel(lvSelection_);
    lvSelection_->setModel(selection_);
    lvSelection_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvSelection_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvSelection_->verticalHeader()->hide();
    lvSelection_->setShowGrid(false);
    const int widths[] = {145, 105, 95, 40, 40};
    for (int c = 0; c < SongListModel::ColumnCount; ++c)
        lvSelection_->setColumnWidth(c, widths[c]);
    layout->addWidget(lblTitle_);
    layout->addWidget(pnlCaptionBar_);
    layout->addWidget(lvSelection_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 700});
    setCentralWidget(splitter);
    buildStatusBar();
}

void TfrmMain::buildFolderTree() {
    auto* root = new QTreeWidgetItem(tvFolders_, {QStringLiteral("Orvane")});
    for (const char* name : kFolderNodes)
        new QTreeWidgetItem(root, {QString::fromLatin1(name)});
}

void TfrmMain::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbSelection"));
    for (size_t i = 0; i < statusPanels_.size(); ++i) {
        statusPanels_[i] = new QLabel(bar);
        statusPanels_[i]->setTextFormat(Qt::PlainText);
        // The file panel takes the width the other three leave.
        bar->addWidget(statusPanels_[i], i == 1 ? 1 : 0);
    }
    statusPanels_[0]->setText(QStringLiteral("0 Item(s)"));
    statusPanels_[0]->setMinimumWidth(70);
}

void TfrmMain::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("System1"));
    refreshDatabase1_ = file->addAction(QStringLiteral("Refresh Database"));
    refreshDatabase1_->setObjectName(QStringLiteral("RefreshDatabase1"));
    refreshDatabase1_->setShortcut(QKeySequence(Qt::Key_F5));
    connect(refreshDatabase1_, &QAction::triggered, this, [this] {
        if (OnRefreshDatabase)
            OnRefreshDatabase();
    });
    file->addSeparator();
    quit1_ = file->addAction(QStringLiteral("E&xit"));
    quit1_->setObjectName(QStringLiteral("Quit1"));
    connect(quit1_, &QAction::triggered, this, &QWidget::close);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("View1"));
    showOrvanebar1_ = addToggle(view, QStringLiteral("Orvane-bar"), "ShowOrvanebar1", true);
    showbrowser1_ = addToggle(view, QStringLiteral("Folders"), "Showbrowser1", false);
    view->addSeparator();
    showcomments1_ = addToggle(view, QStringLiteral("Show comments"), "Showcomments1", true);
    albumcover1_ = addToggle(view, QStringLiteral("Album cover"), "Albumcover1", true);
    lyrics2_ = addToggle(view, QStringLiteral("Lyrics"), "Lyrics2", true);
    // Checked at start, as the status bar is shown: the check mark always tells whether it is.
    showstatusbar_ = addToggle(view, QStringLiteral("Status&bar"), "Showstatusbar", true);
    // The two pages of the browse panel: choosing one checks it and unchecks the other.
    connect(showOrvanebar1_, &QAction::triggered, this, [this] {
        showOrvanebar1_->setChecked(true);
        showbrowser1_->setChecked(false);
    });
    connect(showbrowser1_, &QAction::triggered, this, [this] {
        showbrowser1_->setChecked(true);
        showOrvanebar1_->setChecked(false);
    });
    connect(showstatusbar_, &QAction::triggered, this,
            [this](bool checked) { statusBar()->setVisible(checked); });

    QMenu* extra = menuBar()->addMenu(QStringLiteral("&Extra"));
    extra->setObjectName(QStringLiteral("mnuTools"));
    preferences1_ = extra->addAction(QStringLiteral("&Options..."));
    preferences1_->setObjectName(QStringLiteral("Preferences1"));
    connect(preferences1_, &QAction::triggered, this, [this] {
        if (OnPreferences)
            OnPreferences();
    });
}

QAction* TfrmMain::addToggle(QMenu* menu, const QString& text, const char* name, bool checked) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

void TfrmMain::buildAdvancedToolbar() {
    QToolBar* bar = addToolBar(QStringLiteral("Advanced"));
    bar->setObjectName(QStringLiteral("Toolbar972"));
    btnAdvRefresh_ = new QToolButton(bar);
    btnAdvRefresh_->setObjectName(QStringLiteral("btnAdvRefresh"));
    btnAdvRefresh_->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    btnAdvRefresh_->setToolTip(QStringLiteral("Refresh databse"));
    connect(btnAdvRefresh_, &QToolButton::clicked, refreshDatabase1_, &QAction::trigger);
    bar->addWidget(btnAdvRefresh_);
}

int TfrmMain::BrowserWidth() const {
    return splitter_->sizes().value(0);
}

void TfrmMain::SetBrowserWidth(int width) {
    QList<int> sizes = splitter_->sizes();
    if (sizes.size() < 2)
        return;
    const int total = sizes[0] + sizes[1];
    sizes[0] = width;
    sizes[1] = std::max(total - width, 1);
    splitter_->setSizes(sizes);
}

void TfrmMain::SetTitleText(const QString& text) {
    lblTitle_->setText(text);
}

QString TfrmMain::TitleText() const {
    return lblTitle_->text();
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    // Let the window paint before the start-up runs behind the splash.
    QTimer::singleShot(0, this, [this] {
        if (OnFirstShow)
            OnFirstShow();
    });
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (OnClose && !OnClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace orvane
