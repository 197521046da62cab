#include "browser/TfrmMain.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
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

    auto* splitter = new QSplitter(this);
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
