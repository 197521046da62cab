// The main window's menu bar, pop-up menus and toolbars. Every item calls its handler by name
// (SetHandler); an item whose handler is not set is greyed out, and UpdateCommands enables the
// song commands only while the current song list has a selected row.

#include "browser/MenuImages.h"
#include "browser/SideBar.h"
#include "browser/TfrmMain.h"

#include <QActionGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>

namespace orvane {

namespace {
// The component name of an item from its handler's name: "NewPlaylist1Click" -> "NewPlaylist1".
QString NameOfHandler(const QString& handler) {
    return handler.endsWith(QStringLiteral("Click")) ? handler.chopped(5) : handler;
}
} // namespace

QMenu* TfrmMain::addMenu(QMenu* parent, const QString& caption, const QString& name) {
    QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menus_.insert(name, menu);
    return menu;
}

QAction* TfrmMain::addItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut,
                           const QString& handler, const QString& name) {
    QAction* action = menu->addAction(caption);
    const QString component = name.isEmpty() ? NameOfHandler(handler) : name;
    action->setObjectName(component);
    action->setShortcut(shortcut);
    commands_.insert(component, action);
    handlerOf_.insert(action, handler);
    connect(action, &QAction::triggered, this, [this, handler] { runHandler(handler); });
    return action;
}

QAction* TfrmMain::addToggle(QMenu* menu, const QString& text, const QString& name, bool checked) {
    QAction* action = addItem(menu, text, {}, name + QStringLiteral("Click"), name);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

QToolButton* TfrmMain::addButton(QToolBar* bar, const QString& name, const QString& caption,
                                 const QString& hint, const QIcon& icon, const QString& handler) {
    auto* action = new QAction(icon, caption, this);
    action->setObjectName(name);
    action->setToolTip(hint.isEmpty() ? caption : hint);
    commands_.insert(name, action);
    handlerOf_.insert(action, handler);
    connect(action, &QAction::triggered, this, [this, handler] { runHandler(handler); });
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setDefaultAction(action);
    // Buttons with a caption of their own beside a hint show it; the others show the icon.
    button->setToolButtonStyle(caption.isEmpty() || hint.isEmpty() ? Qt::ToolButtonIconOnly
                                                                   : Qt::ToolButtonTextBesideIcon);
    bar->addWidget(button);
    buttons_.insert(name, button);
    return button;
}

void TfrmMain::buildMenus() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    const QKeySequence none;
    using K = QKeySequence;

    QMenu* file = addMenu(nullptr, QStringLiteral("&File"), QStringLiteral("System1"));
    addItem(file, QStringLiteral("New Playlist"), K(Qt::CTRL | Qt::Key_N),
            QStringLiteral("NewPlaylist1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::NewPlaylist));
    addItem(file, QStringLiteral("Refresh Database"), K(Qt::Key_F5),
            QStringLiteral("RefreshDatabase1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Refresh));
    file->addSeparator();
    addItem(file, QStringLiteral("Import..."), none, QStringLiteral("Import1Click"));
    addItem(file, QStringLiteral("Export information..."), none,
            QStringLiteral("Exportinformation1Click"));
    file->addSeparator();
    addItem(file, QStringLiteral("E&xit"), none, QStringLiteral("Quit1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Exit));

    QMenu* edit = addMenu(nullptr, QStringLiteral("&Edit"), QStringLiteral("Edit1"));
    // Ctrl+Z is the player's "Previous"; Alt+Backspace is the other common undo key.
    addItem(edit, QStringLiteral("Undo tag changes"), K(Qt::ALT | Qt::Key_Backspace),
            QStringLiteral("Undotagchanges1Click"));

    QMenu* view = addMenu(nullptr, QStringLiteral("&View"), QStringLiteral("View1"));
    QMenu* current = addMenu(view, QStringLiteral("Current view"), QStringLiteral("Currentview1"));
    auto* timeFilters = new QActionGroup(this);
    timeFilters->setExclusive(true);
    const std::pair<const char*, const char*> filters[] = {
        {"No time filter", "Nofilters1Click"},
        {"Display tagged in last 7 days", "mnuDisplayNewClick"},
        {"Display tagged in last 2 weeks", "Displaytaggedinlast2weeks1Click"},
        {"Display tagged in last month", "Displaytaggedinlastmonth1Click"}};
    for (const auto& [caption, handler] : filters) {
        QAction* a =
            addItem(current, QString::fromLatin1(caption), none, QString::fromLatin1(handler));
        a->setCheckable(true);
        timeFilters->addAction(a);
    }
    Command(QStringLiteral("Nofilters1"))->setChecked(true);
    current->addSeparator();
    addItem(current, QStringLiteral("Filter collections"), none,
            QStringLiteral("SelectedIMPORT1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Filters));

    QMenu* goTo = addMenu(view, QStringLiteral("Go to..."), QStringLiteral("Goto1"));
    const std::tuple<const char*, const char*, MenuImage> places[] = {
        {"Albums", "Albums1Click", MenuImage::Albums},
        {"Artists", "Artists1Click", MenuImage::Artists},
        {"Favourites", "Favourites2Click", MenuImage::Favourites},
        {"Genres", "Genres1Click", MenuImage::Genres},
        {"My files", "Myfiles1Click", MenuImage::MyFiles},
        {"New", "New1Click", MenuImage::NewSongs},
        {"Playing", "Playing1Click", MenuImage::Playing},
        {"Playlist", "Playlist1Click", MenuImage::Playlist},
        {"Removed songs", "Removedsongs2Click", MenuImage::RemovedSongs}};
    for (const auto& [caption, handler, image] : places)
        addItem(goTo, QString::fromLatin1(caption), none, QString::fromLatin1(handler))
            ->setIcon(TdmMenuImg::Icon(image));
    view->addSeparator();
    showOrvanebar1_ =
        addToggle(view, QStringLiteral("Orvane-bar"), QStringLiteral("ShowOrvanebar1"), true);
    showbrowser1_ =
        addToggle(view, QStringLiteral("Folders"), QStringLiteral("Showbrowser1"), false);
    view->addSeparator();
    showcomments1_ =
        addToggle(view, QStringLiteral("Show comments"), QStringLiteral("Showcomments1"), true);
    albumcover1_ =
        addToggle(view, QStringLiteral("Album cover"), QStringLiteral("Albumcover1"), true);
    lyrics2_ = addToggle(view, QStringLiteral("Lyrics"), QStringLiteral("Lyrics2"), true);
    // Checked at start, as the status bar is shown: the check mark always tells whether it is.
    showstatusbar_ =
        addToggle(view, QStringLiteral("Status&bar"), QStringLiteral("Showstatusbar"), true);

    QMenu* extra = addMenu(nullptr, QStringLiteral("&Extra"), QStringLiteral("mnuTools"));
    addItem(extra, QStringLiteral("Equalizer"), none, QStringLiteral("Equalizer1Click"));
    addItem(extra, QStringLiteral("Power &search"), K(Qt::Key_F2),
            QStringLiteral("Powersearch1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Find));
    addItem(extra, QStringLiteral("Random play"), K(Qt::CTRL | Qt::Key_R),
            QStringLiteral("Randomplaylist1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Random));
    addItem(extra, QStringLiteral("Display from last 7 days"), none,
            QStringLiteral("Displaybydate1Click"));
    addItem(extra, QStringLiteral("Clear removed songs"), none,
            QStringLiteral("Clearremovedsongs1Click"));
    addItem(extra, QStringLiteral("Cover Browser"), none, QStringLiteral("CoverBrowser1Click"));
    extra->addSeparator();
    addItem(extra, QStringLiteral("&Options..."), none, QStringLiteral("Preferences1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Options));

    QMenu* actions = addMenu(nullptr, QStringLiteral("&Actions"), QStringLiteral("MP31"));
    addItem(actions, QStringLiteral("Song properties..."), K(Qt::CTRL | Qt::Key_E),
            QStringLiteral("TagEditor2Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Properties));
    addItem(actions, QStringLiteral("Show all from artist"), K(Qt::CTRL | Qt::Key_Q),
            QStringLiteral("Showallfromartist1Click"));
    addItem(actions, QStringLiteral("Show all from album"), K(Qt::CTRL | Qt::Key_W),
            QStringLiteral("Showallfromalbum1Click"));
    actions->addSeparator();
    addItem(actions, QStringLiteral("Add to playlist"), K(Qt::CTRL | Qt::Key_A),
            QStringLiteral("Addtoplaylist2Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Playlist));
    addItem(actions, QStringLiteral("Add to favourites"), K(Qt::CTRL | Qt::Key_F),
            QStringLiteral("Addtofavourites1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Favourites));
    addItem(actions, QStringLiteral("Add to playing songs"), none,
            QStringLiteral("Addtoplayingsongs1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Playing));
    actions->addSeparator();
    addItem(actions, QStringLiteral("Delete"), none, QStringLiteral("Movetorecyclebin1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Delete));
    addItem(actions, QStringLiteral("Move to directory..."), none,
            QStringLiteral("Movetodirectory2Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Move));
    addItem(actions, QStringLiteral("Export to WAV"), none, QStringLiteral("ExporttoWAV1Click"));

    QMenu* playback = addMenu(nullptr, QStringLiteral("&Playback"), QStringLiteral("Controlls1"));
    const std::tuple<const char*, int, const char*, MenuImage> controls[] = {
        {"P&revious", Qt::Key_Z, "Previous2Click", MenuImage::Previous},
        {"&Play", Qt::Key_X, "Play2Click", MenuImage::Play},
        {"P&ause", Qt::Key_C, "Pause2Click", MenuImage::Pause},
        {"&Stop", Qt::Key_V, "Stop2Click", MenuImage::Stop},
        {"&Next", Qt::Key_B, "Next2Click", MenuImage::Next}};
    for (const auto& [caption, key, handler, image] : controls)
        addItem(playback, QString::fromLatin1(caption), K(Qt::CTRL | key),
                QString::fromLatin1(handler))
            ->setIcon(TdmMenuImg::Icon(image));

    QMenu* help = addMenu(nullptr, QStringLiteral("&Help"), QStringLiteral("About1"));
    addItem(help, QStringLiteral("Help topics"), none, QStringLiteral("Helpcontents1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Help));
    addItem(help, QStringLiteral("Index"), none, QStringLiteral("Index1Click"));
    QMenu* web =
        addMenu(help, QStringLiteral("Brimtove website"), QStringLiteral("Brimtovewebsite1"));
    addItem(web, QStringLiteral("Orvane website"), none, QStringLiteral("Orvanewebsite1Click"));
    addItem(web, QStringLiteral("Brimtove Homepage"), none, QStringLiteral("Productnews1Click"));
    help->addSeparator();
    addItem(help, QStringLiteral("&Info"), none, QStringLiteral("About2Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Orvane));
}

void TfrmMain::buildPopupMenus() {
    const QKeySequence none;
    using K = QKeySequence;
    auto popup = [this](const QString& name) {
        auto* menu = new QMenu(this);
        menu->setObjectName(name);
        menus_.insert(name, menu);
        return menu;
    };

    QMenu* mp3 = popup(QStringLiteral("pmMP3"));
    addItem(mp3, QStringLiteral("Play song"), none, QStringLiteral("Playsong1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Play));
    addItem(mp3, QStringLiteral("Add to playing songs"), none,
            QStringLiteral("Addtoplayingsongs2Click"));
    mp3->addSeparator();
    addItem(mp3, QStringLiteral("Show all from Artist"), K(Qt::CTRL | Qt::Key_Q),
            QStringLiteral("ShowallfromArtist2Click"));
    addItem(mp3, QStringLiteral("Show all from Album"), K(Qt::CTRL | Qt::Key_W),
            QStringLiteral("ShowallfromAlbum2Click"));
    addItem(mp3, QStringLiteral("Add to playlist"), K(Qt::CTRL | Qt::Key_A),
            QStringLiteral("Addtoplaylist1Click"));
    addItem(mp3, QStringLiteral("Export to WAV"), none, QStringLiteral("ExporttoWAV1Click"),
            QStringLiteral("ExporttoWAV2"));
    mp3->addSeparator();
    addItem(mp3, QStringLiteral("Delete"), none, QStringLiteral("Delete1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Delete));
    addItem(mp3, QStringLiteral("Move to directory..."), none,
            QStringLiteral("Movetodirectory1Click"));
    mp3->addSeparator();
    addItem(mp3, QStringLiteral("Load cover image..."), none,
            QStringLiteral("Loadcoverimage2Click"));
    addItem(mp3, QStringLiteral("Delete cover image..."), none,
            QStringLiteral("Deletecoverimage2Click"));
    addItem(mp3, QStringLiteral("Lyrics"), none, QStringLiteral("Lyrics1Click"))->setVisible(false);
    addItem(mp3, QStringLiteral("Add lyrics file"), none, QStringLiteral("Lyricsfile1Click"));
    mp3->addSeparator();
    addItem(mp3, QStringLiteral("Properties..."), none, QStringLiteral("Tageditor1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Properties));

    QMenu* move = popup(QStringLiteral("pmVerplaatsen"));
    addItem(move, QStringLiteral("Favourites"), none, QStringLiteral("Favourites1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Favourites));
    addItem(move, QStringLiteral("Playing songs"), none, QStringLiteral("Playingsongs1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Playing));
    addItem(move, QStringLiteral("Removed songs"), none, QStringLiteral("Removedsongs1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::RemovedSongs));
    addItem(move, QStringLiteral("Add to playlist..."), none,
            QStringLiteral("Movetoplaylist1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Playlist));
    addItem(move, QStringLiteral("Move to directory..."), none,
            QStringLiteral("Movetodirectorypath1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Folder));

    QMenu* albums = popup(QStringLiteral("pmAlbums"));
    addItem(albums, QStringLiteral("Load cover image"), none,
            QStringLiteral("Loadcoverimage1Click"));
    addItem(albums, QStringLiteral("Delete cover image"), none,
            QStringLiteral("Deletecoverimage1Click"));

    QMenu* outlook = popup(QStringLiteral("pmOutlook"));
    auto* iconSizes = new QActionGroup(this);
    for (const auto& [caption, handler] : {std::pair{"Large icons", "Bigicons1Click"},
                                           std::pair{"Small icons", "Smallicons1Click"}}) {
        QAction* a =
            addItem(outlook, QString::fromLatin1(caption), none, QString::fromLatin1(handler));
        a->setCheckable(true);
        iconSizes->addAction(a);
    }
    outlook->addSeparator();
    addItem(outlook, QStringLiteral("New group"), none, QStringLiteral("Newgroup1Click"));
    addItem(outlook, QStringLiteral("Delete group"), none, QStringLiteral("Deletegroup1Click"));
    addItem(outlook, QStringLiteral("Rename group"), none, QStringLiteral("Renamegroup1Click"));
    QMenu* outlookItem = popup(QStringLiteral("pmOutlookItem"));
    addItem(outlookItem, QStringLiteral("Delete item"), none, QStringLiteral("Deleteitem1Click"));

    QMenu* playlists = popup(QStringLiteral("pmPlaylists"));
    addItem(playlists, QStringLiteral("Delete playlist"), none, QStringLiteral("Delete2Click"));

    QMenu* tray = popup(QStringLiteral("pmTrayIcon"));
    addItem(tray, QStringLiteral("Orvane..."), none, QStringLiteral("Orvane1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Orvane));
    tray->addSeparator();
    const std::tuple<const char*, QKeySequence, const char*, MenuImage> trayControls[] = {
        {"P&revious", none, "Previous1Click", MenuImage::Previous},
        {"&Play", K(Qt::CTRL | Qt::Key_P), "Play1Click", MenuImage::Play},
        {"P&ause", none, "Pause1Click", MenuImage::Pause},
        {"&Stop", K(Qt::CTRL | Qt::Key_S), "Stop1Click", MenuImage::Stop},
        {"&Next", none, "Next1Click", MenuImage::Next}};
    for (const auto& [caption, shortcut, handler, image] : trayControls)
        addItem(tray, QString::fromLatin1(caption), shortcut, QString::fromLatin1(handler))
            ->setIcon(TdmMenuImg::Icon(image));
    tray->addSeparator();
    addItem(tray, QStringLiteral("E&xit"), none, QStringLiteral("Exit1Click"))
        ->setIcon(TdmMenuImg::Icon(MenuImage::Exit));

    QMenu* timeType = popup(QStringLiteral("pmTimeType"));
    auto* timeTypes = new QActionGroup(this);
    const std::pair<const char*, const char*> times[] = {
        {"Time", "Time1Click"},
        {"Remaining", "Remaining1Click"},
        {"Total time", "Totaltime1Click"},
        {"Total remaining", "Totalremaining1Click"}};
    for (const auto& [caption, handler] : times) {
        QAction* a =
            addItem(timeType, QString::fromLatin1(caption), none, QString::fromLatin1(handler));
        a->setCheckable(true);
        timeTypes->addAction(a);
    }
    Command(QStringLiteral("Time1"))->setChecked(true);
    popup(QStringLiteral("pmChannels")); // filled by the net browser with its channels
}

void TfrmMain::buildToolbars() {
    QToolBar* main = addToolBar(QStringLiteral("Main tools"));
    main->setObjectName(QStringLiteral("Toolbar971"));
    main->setIconSize(QSize(22, 22));
    btnMove_ = new QToolButton(main);
    btnMove_->setObjectName(QStringLiteral("btnMove"));
    btnMove_->setIcon(TdmMenuImg::Icon(MenuImage::Move));
    btnMove_->setToolTip(QStringLiteral("Move"));
    btnMove_->setMenu(Menu(QStringLiteral("pmVerplaatsen")));
    // The button only opens its menu; it has no action of its own.
    btnMove_->setPopupMode(QToolButton::InstantPopup);
    main->addWidget(btnMove_);
    buttons_.insert(QStringLiteral("btnMove"), btnMove_);
    addButton(main, QStringLiteral("btnDelete"), QStringLiteral("Delete"), {},
              TdmMenuImg::Icon(MenuImage::Delete), QStringLiteral("btnDeleteClick"));
    main->addSeparator();
    edSearchtxt_ = new QComboBox(main);
    edSearchtxt_->setObjectName(QStringLiteral("edSearchtxt"));
    edSearchtxt_->setEditable(true);
    // The search keeps the history itself, and the text exactly as typed.
    edSearchtxt_->setInsertPolicy(QComboBox::NoInsert);
    edSearchtxt_->setDuplicatesEnabled(true);
    edSearchtxt_->setFixedWidth(150);
    edSearchtxt_->lineEdit()->setClearButtonEnabled(true);
    main->addWidget(edSearchtxt_);
    addButton(main, QStringLiteral("btnSearch"), QStringLiteral("Find"), QStringLiteral("Find"),
              TdmMenuImg::Icon(MenuImage::Find), QStringLiteral("btnSearchClick"));
    connect(edSearchtxt_->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { runHandler(QStringLiteral("btnSearchClick")); });
    addButton(main, QStringLiteral("btnHelp"), QStringLiteral("Help"), {},
              TdmMenuImg::Icon(MenuImage::Help), QStringLiteral("btnHelpClick"));
    main->addSeparator();
    const std::tuple<const char*, const char*, MenuImage> controls[] = {
        {"btnPrev", "Previous", MenuImage::Previous},
        {"btnPlay", "Play", MenuImage::Play},
        {"btnPause", "Pause", MenuImage::Pause},
        {"btnStop", "Stop", MenuImage::Stop},
        {"btnNext", "Next", MenuImage::Next}};
    for (const auto& [name, caption, image] : controls)
        addButton(main, QString::fromLatin1(name), QString::fromLatin1(caption), {},
                  TdmMenuImg::Icon(image), QString::fromLatin1(name) + QStringLiteral("Click"));
    TrackBar1_ = new QSlider(Qt::Horizontal, main);
    TrackBar1_->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1_->setRange(0, 400);
    TrackBar1_->setFixedWidth(160);
    TrackBar1_->setEnabled(false); // moved by the player while a song plays
    main->addWidget(TrackBar1_);

    QToolBar* advanced = addToolBar(QStringLiteral("Advanced"));
    advanced->setObjectName(QStringLiteral("Toolbar972"));
    advanced->setIconSize(QSize(22, 22));
    addButton(advanced, QStringLiteral("brAdvNewPlaylist"), QString(),
              QStringLiteral("New playlist"), TdmMenuImg::Icon(MenuImage::NewPlaylist),
              QStringLiteral("Playlist1Click"));
    addButton(advanced, QStringLiteral("btnAdvRefresh"), QString(),
              QStringLiteral("Refresh databse"), TdmMenuImg::Icon(MenuImage::Refresh),
              QStringLiteral("RefreshDatabase1Click"));
    addButton(advanced, QStringLiteral("brAdvProperties"), QString(),
              QStringLiteral("Tag properties"), TdmMenuImg::Icon(MenuImage::Properties),
              QStringLiteral("TagEditor2Click"));
    addButton(advanced, QStringLiteral("btnAdvFilters"), QStringLiteral("Filters"),
              QStringLiteral("Collection filter"), TdmMenuImg::Icon(MenuImage::Filters),
              QStringLiteral("SelectedIMPORT1Click"));
    addButton(advanced, QStringLiteral("btnAdvRandom"), QStringLiteral("Random"),
              QStringLiteral("Random"), TdmMenuImg::Icon(MenuImage::Random),
              QStringLiteral("Randomplaylist1Click"));
}

void TfrmMain::wireOwnCommands() {
    SetHandler(QStringLiteral("Quit1Click"), [this] { close(); });
    SetHandler(QStringLiteral("Exit1Click"), [this] { close(); });
    SetHandler(QStringLiteral("RefreshDatabase1Click"), [this] {
        if (OnRefreshDatabase)
            OnRefreshDatabase();
    });
    SetHandler(QStringLiteral("Preferences1Click"), [this] {
        if (OnPreferences)
            OnPreferences();
    });
    const std::pair<const char*, const char*> goTo[] = {{"Albums1Click", "Albums"},
                                                        {"Artists1Click", "Artists"},
                                                        {"Favourites2Click", "Favourites"},
                                                        {"Genres1Click", "Genres"},
                                                        {"Myfiles1Click", "My files"},
                                                        {"New1Click", "NEW"},
                                                        {"Playing1Click", "Playing"},
                                                        {"Playlist1Click", "Playlist"},
                                                        {"Removedsongs2Click", "Removed songs"}};
    for (const auto& [handler, view] : goTo)
        SetHandler(QString::fromLatin1(handler),
                   [this, name = QString::fromLatin1(view)] { SelectFolderNode(name); });
    obMain_->OnSelectView = [this](const QString& view) {
        SelectFolderNode(view);
    };

    // The View toggles. A QAction flips its own check mark before it tells its handler.
    SetHandler(QStringLiteral("ShowOrvanebar1Click"), [this] {
        showOrvanebar1_->setChecked(true);
        showbrowser1_->setChecked(false);
        nbBrowser_->setCurrentIndex(1);
    });
    SetHandler(QStringLiteral("Showbrowser1Click"), [this] {
        showbrowser1_->setChecked(true);
        showOrvanebar1_->setChecked(false);
        nbBrowser_->setCurrentIndex(0);
    });
    SetHandler(QStringLiteral("ShowstatusbarClick"),
               [this] { statusBar()->setVisible(showstatusbar_->isChecked()); });
    SetHandler(QStringLiteral("Showcomments1Click"),
               [this] { lvSelection_->SetShowComments(showcomments1_->isChecked()); });
    SetHandler(QStringLiteral("Albumcover1Click"),
               [this] { pnlAlbumBottom_->setVisible(albumcover1_->isChecked()); });
    SetHandler(QStringLiteral("Lyrics2Click"),
               [this] { pnlBottom_->setVisible(lyrics2_->isChecked()); });

    // Every Delete command acts as the Delete key in the current song list.
    for (const char* handler :
         {"btnDeleteClick", "Delete1Click", "Movetorecyclebin1Click", "Removedsongs1Click"})
        SetHandler(QString::fromLatin1(handler), [this] { sendDeleteKey(); });

    // Favourites: the Actions item and the btnMove menu's entry.
    for (const char* handler : {"Addtofavourites1Click", "Favourites1Click"})
        SetHandler(QString::fromLatin1(handler), [this] { addSelectionToFavourites(); });
    SetHandler(QStringLiteral("Delete2Click"), [this] { deleteSelectedPlaylist(); });

    for (TSongListView* list : {lvSelection_, lvPlayingSongs_}) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& at) {
            Menu(QStringLiteral("pmMP3"))->popup(list->viewport()->mapToGlobal(at));
        });
    }
    connect(lvSelection_, &QAbstractItemView::doubleClicked, this,
            [this] { runHandler(QStringLiteral("lvSongsDblClick")); });
    auto attach = [this](QWidget* widget, const QString& menu) {
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(widget, &QWidget::customContextMenuRequested, this,
                [this, widget, menu](QPoint at) { Menu(menu)->popup(widget->mapToGlobal(at)); });
    };
    attach(lvAlbums_, QStringLiteral("pmAlbums"));
    attach(lvPlaylist_, QStringLiteral("pmPlaylists"));
    attach(statusPanels_[3], QStringLiteral("pmTimeType"));
}

void TfrmMain::SetHandler(const QString& handler, std::function<void()> run) {
    if (run)
        handlers_.insert(handler, std::move(run));
    else
        handlers_.remove(handler);
    UpdateCommands();
}

bool TfrmMain::HasHandler(const QString& handler) const {
    return handlers_.contains(handler);
}

void TfrmMain::runHandler(const QString& handler) {
    const auto it = handlers_.constFind(handler);
    if (it != handlers_.constEnd()) {
        // A copy: the handler may replace itself while it runs.
        const std::function<void()> run = *it;
        run();
    }
}

QAction* TfrmMain::Command(const QString& name) const {
    return commands_.value(name);
}

QMenu* TfrmMain::Menu(const QString& name) const {
    return menus_.value(name);
}

QToolButton* TfrmMain::Button(const QString& name) const {
    return buttons_.value(name);
}

QString TfrmMain::HandlerOf(const QAction* command) const {
    return handlerOf_.value(const_cast<QAction*>(command));
}

void TfrmMain::sendDeleteKey() {
    if (TSongListView* list = CurrentSongList()) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QCoreApplication::sendEvent(list, &press);
    }
}

} // namespace orvane
