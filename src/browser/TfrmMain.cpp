#include "browser/TfrmMain.h"

#include "browser/FilesTree.h"
#include "browser/LyricsBrowser.h"
#include "browser/MenuImages.h"
#include "browser/QueueDuration.h"
#include "browser/SideBar.h"
#include "browser/TitleFit.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace orvane {

namespace {

// Width of the category pane at the right of the song lists.
constexpr int kCategoryWidth = 180;

QLabel* Heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Button);
    label->setContentsMargins(4, 3, 4, 3);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// A page of a notebook: an optional heading over its content.
QWidget* Page(const QString& name, const QString& heading, QWidget* content, QWidget* parent) {
    auto* page = new QWidget(parent);
    page->setObjectName(name);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (!heading.isNull())
        layout->addWidget(Heading(heading, page));
    if (content) {
        content->setParent(page);
        layout->addWidget(content, 1);
    } else {
        layout->addStretch(1);
    }
    return page;
}

QListWidget* OneColumnList(const QString& name) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

} // namespace

TfrmMain::TfrmMain(QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Orvane"));
    setWindowIcon(TdmMenuImg::Icon(MenuImage::Orvane));
    resize(1000, 680);

    // The song lists exist before the menus, whose commands refer to them.
    lvSelection_ = new TSongListView(QStringLiteral("lvSelection"));
    lvPlayingSongs_ = new TSongListView(QStringLiteral("lvPlayingSongs"));
    lvPlayingSongs_->SetSorting(ColumnSorting::Off); // play order, which CurrentSong points into
    buildMenus();
    buildPopupMenus();
    buildToolbars();

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("splitBrowser"));
    splitter_->addWidget(buildLeftPane());

    auto* right = new QWidget(splitter_);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    rightLayout->addWidget(buildTitleBar());
    // With a buddy the title label reads "&&" as one "&", which is why titles double it.
    lblTitle_->setBuddy(tvFolders_);
    splitLyrics_ = new QSplitter(Qt::Vertical, right);
    splitLyrics_->setObjectName(QStringLiteral("splitLyrics"));
    splitLyrics_->setChildrenCollapsible(false);
    auto* panes = new QWidget(splitLyrics_);
    auto* panesLayout = new QHBoxLayout(panes);
    panesLayout->setContentsMargins(0, 0, 0, 0);
    panesLayout->setSpacing(2);
    panesLayout->addWidget(buildSongPane(), 1);
    panesLayout->addWidget(buildCategoryPane());
    splitLyrics_->addWidget(panes);
    splitLyrics_->addWidget(buildLyricsPane());
    splitLyrics_->setStretchFactor(0, 1);
    splitLyrics_->setStretchFactor(1, 0);
    splitLyrics_->setSizes({480, 110});
    rightLayout->addWidget(splitLyrics_, 1);
    splitter_->addWidget(right);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({200, 800});
    setCentralWidget(splitter_);
    buildStatusBar();

    connectSongList(lvSelection_);
    connectSongList(lvPlayingSongs_);
    lvSelection_->SetShowComments(showcomments1_->isChecked());
    wireOwnCommands();
    applyLayout(LayoutOf(viewKind_));
    UpdateCommands();
}

TfrmMain::~TfrmMain() = default;

QWidget* TfrmMain::buildLeftPane() {
    pnlBrowser_ = new QWidget;
    pnlBrowser_->setObjectName(QStringLiteral("pnlBrowser"));
    pnlBrowser_->setMinimumWidth(120);
    auto* layout = new QVBoxLayout(pnlBrowser_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    nbBrowser_ = new QStackedWidget(pnlBrowser_);
    nbBrowser_->setObjectName(QStringLiteral("nbBrowser"));
    tvFolders_ = new TFolderTree;
    tvFolders_->setIconSize(QSize(16, 16));
    buildFolderTree();
    nbBrowser_->addWidget(
        Page(QStringLiteral("Folders"), QStringLiteral(" Orvane folders"), tvFolders_, nbBrowser_));
    obMain_ = new TSideBar;
    nbBrowser_->addWidget(Page(QStringLiteral("Bar"), QString(), obMain_, nbBrowser_));
    nbBrowser_->setCurrentIndex(showOrvanebar1_->isChecked() ? 1 : 0);
    layout->addWidget(nbBrowser_, 1);

    pnlAlbumBottom_ = new QWidget(pnlBrowser_);
    pnlAlbumBottom_->setObjectName(QStringLiteral("pnlAlbumBottom"));
    pnlAlbumBottom_->setFixedHeight(170);
    auto* coverLayout = new QVBoxLayout(pnlAlbumBottom_);
    coverLayout->setContentsMargins(2, 2, 2, 2);
    imgAlbumCover_ = new QLabel(QStringLiteral("No cover image"), pnlAlbumBottom_);
    imgAlbumCover_->setObjectName(QStringLiteral("imgAlbumCover"));
    imgAlbumCover_->setAlignment(Qt::AlignCenter);
    imgAlbumCover_->setFrameShape(QFrame::StyledPanel);
    imgAlbumCover_->setScaledContents(false);
    coverLayout->addWidget(imgAlbumCover_);
    layout->addWidget(pnlAlbumBottom_);
    pnlAlbumBottom_->setVisible(albumcover1_->isChecked());
    return pnlBrowser_;
}

void TfrmMain::buildFolderTree() {
    struct Node {
        const char* text;
        MenuImage image;
    };
    // Kept sorted by text, as the tree shows them.
    const Node nodes[] = {{"Albums", MenuImage::Albums},
                          {"Artists", MenuImage::Artists},
                          {"Favourites", MenuImage::Favourites},
                          {"Genres", MenuImage::Genres},
                          {"My files", MenuImage::MyFiles},
                          {"NEW", MenuImage::NewSongs},
                          {"Playing", MenuImage::Playing},
                          {"Playlist", MenuImage::Playlist},
                          {"Removed songs", MenuImage::RemovedSongs}};
    auto* root = new QTreeWidgetItem(tvFolders_, {QStringLiteral("Orvane")});
    root->setIcon(0, TdmMenuImg::Icon(MenuImage::Orvane));
    for (const Node& n : nodes) {
        auto* node = new QTreeWidgetItem(root, {QString::fromLatin1(n.text)});
        node->setIcon(0, TdmMenuImg::Icon(n.image));
    }
    tvFolders_->AcceptsSource = [this](QObject* source) {
        return acceptsDrag(source);
    };
    tvFolders_->OnDropSongs = [this](QTreeWidgetItem* node, QObject* source) {
        dropOnFolders(node, source);
    };
    connect(tvFolders_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { ShowView(node); });
}

QWidget* TfrmMain::buildTitleBar() {
    pnlTitle_ = new QWidget;
    pnlTitle_->setObjectName(QStringLiteral("pnlTitle"));
    pnlTitle_->setAutoFillBackground(true);
    QPalette palette = pnlTitle_->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Dark));
    palette.setColor(QPalette::WindowText, Qt::white);
    pnlTitle_->setPalette(palette);
    pnlTitle_->setFixedHeight(34);

    lblTitle_ = new QLabel(pnlTitle_);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    lblTitle_->setTextFormat(Qt::PlainText);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(16);
    font.setBold(true);
    lblTitle_->setFont(font);
    lblTitle_->setPalette(palette);
    lblTitle_->move(8, 3);

    btnIcon_ = new QLabel(pnlTitle_);
    btnIcon_->setObjectName(QStringLiteral("btnIcon"));
    btnIcon_->setFixedSize(24, 24);
    btnIcon_->setPixmap(TdmMenuImg::Icon(MenuImage::Orvane).pixmap(24, 24));

    lblFilterActive_ = new QLabel(QStringLiteral("(Filter active)"), pnlTitle_);
    lblFilterActive_->setObjectName(QStringLiteral("lblFilterActive"));
    lblFilterActive_->setPalette(palette);
    lblFilterActive_->adjustSize();
    lblFilterActive_->hide();
    pnlTitle_->installEventFilter(this);
    return pnlTitle_;
}

void TfrmMain::placeTitleBarParts() {
    const int w = pnlTitle_->width();
    const int h = pnlTitle_->height();
    btnIcon_->move(w - 4 - btnIcon_->width(), (h - btnIcon_->height()) / 2);
    lblFilterActive_->move(btnIcon_->x() - 2 - lblFilterActive_->width(),
                           (h - lblFilterActive_->height()) / 2);
    lblTitle_->resize(std::max(0, w - 8), h - 6);
}

QWidget* TfrmMain::buildCategoryPane() {
    Notebook1_ = new QStackedWidget;
    Notebook1_->setObjectName(QStringLiteral("Notebook1"));
    Notebook1_->setFixedWidth(kCategoryWidth);

    lbGenres_ = OneColumnList(QStringLiteral("lbGenres"));
    lbGenres_->setSortingEnabled(true);
    lvAlbums_ = OneColumnList(QStringLiteral("lvAlbums"));
    lvArtists_ = OneColumnList(QStringLiteral("lvArtists"));
    lvPlaylist_ = OneColumnList(QStringLiteral("lvPlaylist"));
    lvPlaylist_->installEventFilter(this); // the Delete key deletes the selected playlist
    lvPlaylist_->setDragDropMode(QAbstractItemView::DragOnly); // onto the side bar
    filesModel_ = new FolderRootsModel(this);
    filesModel_->SetRoots(SystemFolderRoots({}));
    auto* files = new TFilesTree;
    tvFiles_ = files;
    tvFiles_->setObjectName(QStringLiteral("tvFiles"));
    tvFiles_->setModel(filesModel_);
    tvFiles_->setHeaderHidden(true);
    // Songs dropped on a folder are moved there.
    files->AcceptsSource = [this](QObject* source) {
        return acceptsDrag(source);
    };
    files->OnDropSongs = [this](const QString& folder, QObject* source) {
        auto* list = qobject_cast<TSongListView*>(source);
        if (list && list == CurrentSongList() && Library.MoveSongsToFolder)
            Library.MoveSongsToFolder(list, list->SelectedRows(), folder);
    };

    // Pages in their fixed order; the views refer to them by number.
    Notebook1_->addWidget(
        Page(QStringLiteral("Genrebrowsing"), QStringLiteral("Genres"), lbGenres_, Notebook1_));
    Notebook1_->addWidget(Page(QStringLiteral("Orvane"), QString(), nullptr, Notebook1_));
    Notebook1_->addWidget(Page(QStringLiteral("Albums"), QStringLiteral("Albums in collection"),
                               lvAlbums_, Notebook1_));
    Notebook1_->addWidget(
        Page(QStringLiteral("Artist"), QStringLiteral("Artists"), lvArtists_, Notebook1_));
    Notebook1_->addWidget(
        Page(QStringLiteral("Playlist"), QStringLiteral("Playlists"), lvPlaylist_, Notebook1_));
    Notebook1_->addWidget(Page(QStringLiteral("Playing"), QString(), nullptr, Notebook1_));
    Notebook1_->addWidget(
        Page(QStringLiteral("My files"), QStringLiteral(" All folders"), tvFiles_, Notebook1_));

    connect(lvAlbums_, &QListWidget::currentItemChanged, this, [this] { lvAlbumsChange(); });
    connect(lvArtists_, &QListWidget::currentItemChanged, this, [this] { lvArtistsChange(); });
    // A click shows the genre's songs, also of the genre already chosen; the keyboard moves
    // the choice without a click. A pressed button means the click is on its way.
    connect(lbGenres_, &QListWidget::itemClicked, this, [this] { lbGenresClick(); });
    connect(lbGenres_, &QListWidget::currentItemChanged, this, [this] {
        if (QGuiApplication::mouseButtons() == Qt::NoButton)
            lbGenresClick();
    });
    connect(lvPlaylist_, &QListWidget::currentItemChanged, this, [this] { lvPlaylistChange(); });
    connect(tvFiles_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { tvFilesChange(); });
    connect(lvAlbums_, &QListWidget::itemDoubleClicked, this,
            [this] { runHandler(QStringLiteral("btnPlayClick")); });
    connect(lvArtists_, &QListWidget::itemDoubleClicked, this,
            [this] { runHandler(QStringLiteral("btnPlayClick")); });
    return Notebook1_;
}

QWidget* TfrmMain::buildSongPane() {
    Notebook2_ = new QStackedWidget;
    Notebook2_->setObjectName(QStringLiteral("Notebook2"));

    auto caption = [](const QString& name, const QString& text) {
        auto* label = new QLabel(text);
        label->setObjectName(name);
        label->setTextFormat(Qt::PlainText);
        label->setContentsMargins(4, 2, 4, 2);
        label->setFrameShape(QFrame::StyledPanel);
        return label;
    };
    auto listPage = [this](const QString& name, QLabel* bar, TSongListView* list) {
        auto* page = new QWidget(Notebook2_);
        page->setObjectName(name);
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        bar->setParent(page);
        list->setParent(page);
        layout->addWidget(bar);
        layout->addWidget(list, 1);
        return page;
    };
    pnlCaptionBar_ = caption(QStringLiteral("pnlCaptionBar"), QStringLiteral("Duration..."));
    pnlDurationPlayingSongs_ =
        caption(QStringLiteral("pnlDurationPlayingSongs"), QStringLiteral("Duration"));
    Notebook2_->addWidget(listPage(QStringLiteral("Selection"), pnlCaptionBar_, lvSelection_));
    Notebook2_->addWidget(
        listPage(QStringLiteral("PlayingSongs"), pnlDurationPlayingSongs_, lvPlayingSongs_));

    netBrowserSlot_ = new QWidget;
    (new QVBoxLayout(netBrowserSlot_))->setContentsMargins(0, 0, 0, 0);
    Notebook2_->addWidget(
        Page(QStringLiteral("NetBrowser"), QString(), netBrowserSlot_, Notebook2_));
    return Notebook2_;
}

QWidget* TfrmMain::buildLyricsPane() {
    pnlBottom_ = new QWidget;
    pnlBottom_->setObjectName(QStringLiteral("pnlBottom"));
    pnlBottom_->setMinimumHeight(40);
    auto* layout = new QVBoxLayout(pnlBottom_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    htmlLyrics_ = new TLyricsBrowser(pnlBottom_);
    htmlLyrics_->setObjectName(QStringLiteral("htmlLyrics"));
    layout->addWidget(htmlLyrics_);
    pnlBottom_->setVisible(lyrics2_->isChecked());
    return pnlBottom_;
}

void TfrmMain::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbSelection"));
    bar->setSizeGripEnabled(true);
    // The item count, the file (its width follows the window), the player state and the
    // time: each at least its classic width and wide enough for its longest text.
    const int widths[] = {70, 0, 80, 70};
    const char* longest[] = {"000000 Item(s).", "", "Playing", "Remain:00:00:00"};
    for (size_t i = 0; i < statusPanels_.size(); ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("sbPanel%1").arg(i));
        panel->setTextFormat(Qt::PlainText); // file names and tags are never read as markup
        panel->setFrameShape(QFrame::StyledPanel);
        if (widths[i] > 0) {
            panel->setText(QString::fromLatin1(longest[i]));
            panel->setFixedWidth(std::max(widths[i], panel->sizeHint().width()));
            panel->clear();
        }
        statusPanels_[i] = panel;
        bar->addWidget(panel, 0);
    }
    statusPanels_[0]->setText(QStringLiteral("0 Item(s)"));
    placeStatusPanels();
}

void TfrmMain::placeStatusPanels() {
    // The file panel takes the width the other panels leave (the client width - 228 with the
    // classic widths).
    int others = statusPanels_[0]->minimumWidth() + statusPanels_[2]->minimumWidth() +
                 statusPanels_[3]->minimumWidth() + 8;
    for (const QWidget* widget : statusWidgets_)
        others += widget->minimumWidth() + 4;
    statusPanels_[1]->setFixedWidth(std::max(0, width() - others));
}

void TfrmMain::AddStatusWidget(QWidget* widget) {
    statusBar()->addPermanentWidget(widget);
    statusWidgets_.push_back(widget);
    placeStatusPanels();
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placeStatusPanels();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pnlTitle_ && event->type() == QEvent::Resize)
        placeTitleBarParts();
    if (watched == lvPlaylist_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteSelectedPlaylist();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::SetMp3Base(const QString& folder) {
    mp3Base_ = folder;
    filesModel_->SetRoots(SystemFolderRoots(folder));
    const QModelIndex at = filesModel_->index(folder);
    if (!at.isValid())
        return;
    const bool wasStarted = started_;
    started_ = false; // opening the tree is not a choice of the user
    for (QModelIndex up = at.parent(); up.isValid(); up = up.parent())
        tvFiles_->expand(up);
    tvFiles_->setCurrentIndex(at);
    tvFiles_->expand(at);
    tvFiles_->scrollTo(at, QAbstractItemView::PositionAtTop);
    started_ = wasStarted;
}

void TfrmMain::SetNetBrowser(QWidget* browser) {
    netBrowserSlot_->layout()->addWidget(browser);
}

void TfrmMain::ExpandFolders() {
    if (QTreeWidgetItem* first = tvFolders_->topLevelItem(0)) {
        first->setExpanded(true);
        for (int i = 0; i < first->childCount(); ++i)
            first->child(i)->setExpanded(true);
    }
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

int TfrmMain::BottomHeight() const {
    return splitLyrics_->sizes().value(1);
}

void TfrmMain::SetBottomHeight(int height) {
    QList<int> sizes = splitLyrics_->sizes();
    if (sizes.size() < 2)
        return;
    const int total = sizes[0] + sizes[1];
    sizes[1] = height;
    sizes[0] = std::max(total - height, 1);
    splitLyrics_->setSizes(sizes);
}

QString TfrmMain::FittedTitle(const QString& text) const {
    const QFontMetrics metrics(lblTitle_->font());
    const int available = std::max(0, pnlTitle_->width() - 8);
    return FitTitleText(
        text, [&metrics](const QString& s) { return metrics.horizontalAdvance(s); }, available);
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
