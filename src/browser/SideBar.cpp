#include "browser/SideBar.h"

#include "browser/MenuImages.h"

namespace orvane {

namespace {

struct Shortcut {
    const char* caption;
    const char* view; // the display name of the view
    MenuImage image;
};

const Shortcut kOrvaneGroup[] = {{"Orvane", "Orvane", MenuImage::Orvane},
                                 {"Albums", "Albums", MenuImage::Albums},
                                 {"Artists", "Artists", MenuImage::Artists},
                                 {"Genres", "Genres", MenuImage::Genres},
                                 {"Playing", "Playing", MenuImage::Playing},
                                 {"Removed songs", "Removed songs", MenuImage::RemovedSongs}};
const Shortcut kPersonalGroup[] = {{"Favourites", "Favourites", MenuImage::Favourites},
                                   {"My files", "My files", MenuImage::MyFiles},
                                   {"Playlist", "Playlist", MenuImage::Playlist},
                                   {"New", "NEW", MenuImage::NewSongs}};

constexpr int kViewRole = Qt::UserRole + 1;

} // namespace

TSideBar::TSideBar(QWidget* parent)
    : QToolBox(parent) {
    setObjectName(QStringLiteral("obMain"));
    auto fill = [this](const QString& caption, const auto& shortcuts) {
        QListWidget* group = AddGroup(caption);
        for (const Shortcut& s : shortcuts) {
            auto* item = new QListWidgetItem(TdmMenuImg::Icon(s.image),
                                             QString::fromLatin1(s.caption), group);
            item->setData(kViewRole, QString::fromLatin1(s.view));
        }
    };
    fill(QStringLiteral("Orvane"), kOrvaneGroup);
    fill(QStringLiteral("Personal"), kPersonalGroup);
    setCurrentIndex(0);
}

QListWidget* TSideBar::Group(int index) const {
    return qobject_cast<QListWidget*>(widget(index));
}

QListWidget* TSideBar::AddGroup(const QString& caption) {
    auto* group = new QListWidget(this);
    group->setViewMode(QListView::ListMode);
    group->setIconSize(QSize(24, 24));
    group->setFrameShape(QFrame::NoFrame);
    group->setSpacing(2);
    connect(group, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const QString view = item->data(kViewRole).toString();
        if (!view.isEmpty() && OnSelectView)
            OnSelectView(view);
    });
    setCurrentIndex(addItem(group, caption));
    return group;
}

} // namespace orvane
