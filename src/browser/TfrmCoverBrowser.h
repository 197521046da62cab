#pragma once
// The cover browser (Extra > "Cover Browser"): every cover link of covers.ini in a sorted list,
// the picture of the clicked one, and "&Delete" to remove a link. A modal dialog made when used
// and destroyed when closed. GUI thread only.

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace orvane {

class CoverLinks;
class Prompts;
class TCoverPictures;
struct CoverPicture;

class TfrmCoverBrowser : public QDialog {
    Q_OBJECT
public:
    // links, pictures and prompts must outlive the dialog.
    TfrmCoverBrowser(CoverLinks& links, TCoverPictures& pictures, Prompts& prompts,
                     QWidget* parent = nullptr);

    QListWidget* lbCoverImage() const { return lbCoverImage_; }
    QLabel* imgCover() const { return imgCover_; }
    QPushButton* btnDelete() const { return btnDelete_; }
    QPushButton* btnCancel() const { return btnCancel_; }

    // A click on an entry of the list, and the "&Delete" button.
    void lbCoverImageClick();
    void btnDeleteClick();

private:
    void fillList();
    void showPicture(const CoverPicture& picture);

    CoverLinks& links_;
    TCoverPictures& pictures_;
    Prompts& prompts_;
    QListWidget* lbCoverImage_ = nullptr;
    QLabel* imgCover_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    QString wanted_; // the picture the clicked entry links
};

} // namespace orvane
