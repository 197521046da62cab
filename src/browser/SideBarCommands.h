#pragma once
// The side bar's commands: the group menu pmOutlook ("Large icons", "Small icons", "New group",
// "Delete group", "Rename group") and the item menu pmOutlookItem ("Delete item"), clicks on
// playlist shortcuts and songs dropped on the bar. The fixed groups 0 and 1 cannot be deleted,
// renamed or lose an item. A child of the main window; GUI thread only.

#include <QObject>
#include <functional>

class QListWidgetItem;
class QMimeData;

namespace orvane {

class Prompts;
class TfrmMain;
class TSideBar;

inline const QString kGroupCannotBeModified = QStringLiteral("This group can't be modified");

class TSideBarCommands : public QObject {
    Q_OBJECT
public:
    TSideBarCommands(TfrmMain& main, Prompts& prompts);

    // Shows the help page of the side bar over dialog; unset, the rename dialog's "&Help" is
    // disabled.
    std::function<void(QWidget* dialog)> OnHelp;

    // The menus' commands; the group ones act on the open group, "Delete item" on the item the
    // item menu was opened on.
    void Bigicons1Click();
    void Smallicons1Click();
    void Newgroup1Click();
    void Deletegroup1Click();
    void Renamegroup1Click();
    void Deleteitem1Click();

private:
    void showMenu(QListWidgetItem* item, const QPoint& globalPos);
    void dropSongs(QListWidgetItem* item, const QMimeData& data, QObject* source);
    bool openGroupIsFixed();

    TfrmMain& main_;
    Prompts& prompts_;
    TSideBar& bar_;
    quint64 menuItem_ = 0; // the item the item menu was opened on
};

} // namespace orvane
