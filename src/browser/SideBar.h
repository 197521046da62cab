#pragma once
// The side bar (obMain): a column of groups, one open at a time, each a list of icons. The two
// fixed groups "Orvane" and "Personal" hold one shortcut per view; clicking one asks the window
// to select that view's folder node. GUI thread only.

#include <QListWidget>
#include <QToolBox>
#include <functional>

namespace orvane {

class TSideBar : public QToolBox {
    Q_OBJECT
public:
    explicit TSideBar(QWidget* parent = nullptr);

    // Called with the view's display name ("Albums", "NEW", ...) when its shortcut is clicked.
    std::function<void(const QString& displayName)> OnSelectView;

    QListWidget* Group(int index) const;
    int GroupCount() const { return count(); }
    // Appends a group with that caption and makes it the open one.
    QListWidget* AddGroup(const QString& caption);
};

} // namespace orvane
