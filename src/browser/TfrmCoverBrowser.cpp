#include "browser/TfrmCoverBrowser.h"

#include "browser/CoverLinks.h"
#include "browser/CoverPictures.h"
#include "platform/Prompts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace orvane {

namespace {

constexpr int kKeyRole = Qt::UserRole + 1;     // the key the entry shows
constexpr int kPictureRole = Qt::UserRole + 2; // the picture it linked when it was clicked

} // namespace

TfrmCoverBrowser::TfrmCoverBrowser(CoverLinks& links, TCoverPictures& pictures, Prompts& prompts,
                                   QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
    , links_(links)
    , pictures_(pictures)
    , prompts_(prompts) {
    setObjectName(QStringLiteral("frmCoverBrowser"));
    setWindowTitle(QStringLiteral("Cover browser"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Covers :"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Album :"), this), 0, 1);
    lbCoverImage_ = new QListWidget(this);
    lbCoverImage_->setObjectName(QStringLiteral("lbCoverImage"));
    lbCoverImage_->setMinimumWidth(260);
    grid->addWidget(lbCoverImage_, 1, 0);
    imgCover_ = new QLabel(this);
    imgCover_->setObjectName(QStringLiteral("imgCover"));
    imgCover_->setTextFormat(Qt::PlainText);
    imgCover_->setAlignment(Qt::AlignCenter);
    imgCover_->setFrameShape(QFrame::StyledPanel);
    imgCover_->setFixedSize(260, 260);
    grid->addWidget(imgCover_, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnCancel_ = new QPushButton(QStringLiteral("&OK"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    btnCancel_->setDefault(true);
    btnDelete_ = new QPushButton(QStringLiteral("&Delete"), this);
    btnDelete_->setObjectName(QStringLiteral("btnDelete"));
    buttons->addWidget(btnCancel_);
    buttons->addWidget(btnDelete_);
    grid->addLayout(buttons, 2, 0, 1, 2);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The list gets no focus at first: it would choose its first entry by itself.
    btnCancel_->setFocus();
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnDelete_, &QPushButton::clicked, this, &TfrmCoverBrowser::btnDeleteClick);
    // The keyboard moves through the list as a click does.
    connect(lbCoverImage_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            lbCoverImageClick();
    });
    connect(&pictures_, &TCoverPictures::Ready, this, &TfrmCoverBrowser::showPicture);
    fillList();
}

void TfrmCoverBrowser::fillList() {
    lbCoverImage_->clear();
    for (const QString& key : links_.CoverKeys()) {
        auto* item = new QListWidgetItem(key, lbCoverImage_);
        item->setData(kKeyRole, key);
    }
    lbCoverImage_->setCurrentRow(-1);
    btnDelete_->setEnabled(false);
}

void TfrmCoverBrowser::lbCoverImageClick() {
    QListWidgetItem* item = lbCoverImage_->currentItem();
    if (!item)
        return;
    wanted_ = links_.CoverOfKey(item->data(kKeyRole).toString());
    item->setData(kPictureRole, wanted_);
    btnDelete_->setEnabled(true);
    imgCover_->clear();
    if (!wanted_.isEmpty())
        pictures_.Request(wanted_);
}

void TfrmCoverBrowser::showPicture(const CoverPicture& picture) {
    if (picture.path != wanted_)
        return;
    if (picture.image.isNull()) {
        imgCover_->setText(QStringLiteral("No cover image"));
        return;
    }
    imgCover_->setPixmap(QPixmap::fromImage(picture.image.scaled(
        imgCover_->contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TfrmCoverBrowser::btnDeleteClick() {
    QListWidgetItem* item = lbCoverImage_->currentItem();
    if (!item || !item->isSelected())
        return;
    const QString key = item->data(kKeyRole).toString();
    switch (links_.RemoveCoverKey(key, item->data(kPictureRole).toString())) {
    case CoverLinks::Removal::Removed: {
        // Nothing is chosen afterwards, so a second press cannot remove the next link; the
        // picture shown stays until the next click.
        const QSignalBlocker blocker(lbCoverImage_);
        delete item;
        lbCoverImage_->setCurrentRow(-1);
        btnDelete_->setEnabled(false);
        break;
    }
    case CoverLinks::Removal::Changed:
        prompts_.information(
            QStringLiteral("The cover link \"%1\" was changed by another program since it was "
                           "shown, and has not been deleted. The list is read again.")
                .arg(key));
        fillList();
        break;
    case CoverLinks::Removal::Failed:
        prompts_.error(QStringLiteral("The cover link \"%1\" could not be deleted: %2 cannot be "
                                      "written.")
                           .arg(key, links_.CoversPath()));
        break;
    }
}

} // namespace orvane
