#pragma once
// The filter dialog "Filter Collections": one checked item per entry of the collection filter
// list, in its order. "&OK" takes the check marks over; "&Cancel", Esc or closing leaves them.
// "&Delete" deletes the selected item's file from the lib folder after asking, and takes its
// entry out at once: a deletion stays even when the dialog is then cancelled. GUI thread only.

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace orvane {

class Prompts;

class TfrmFilterCollection : public QDialog {
    Q_OBJECT
public:
    TfrmFilterCollection(QStringList collectionFilter, QString libFolder, Prompts& prompts,
                         QWidget* parent = nullptr);

    // The list as the dialog leaves it: without deleted entries, with the check marks taken
    // over when the dialog was closed with OK.
    const QStringList& CollectionFilter() const { return entries_; }

    QListWidget* cbList() const { return cbList_; }
    QPushButton* btnDelete() const { return btnDelete_; }

    void accept() override;
    void btnDeleteClick();

private:
    void fill();

    QStringList entries_;
    QString libFolder_;
    Prompts& prompts_;
    QListWidget* cbList_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
};

} // namespace orvane
