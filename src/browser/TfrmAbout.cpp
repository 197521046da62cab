#include "browser/TfrmAbout.h"

#include "browser/MenuImages.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace orvane {

namespace {

QLabel* PlainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

TfrmAbout::TfrmAbout(const QString& version, UrlOpener open, Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint) {
    setWindowTitle(QStringLiteral("Info"));
    auto* layout = new QGridLayout(this);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgLogo"));
    picture->setPixmap(TdmMenuImg::Icon(MenuImage::Orvane).pixmap(64, 64));
    layout->addWidget(picture, 0, 0, 3, 1, Qt::AlignTop);

    QLabel* product = PlainLabel(QStringLiteral("Orvane"), this);
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    product->setFont(big);
    layout->addWidget(product, 0, 1, 1, 2);
    layout->addWidget(PlainLabel(QStringLiteral("Brimtove"), this), 1, 1, 1, 2);
    auto* versionRow = new QHBoxLayout;
    versionRow->addWidget(PlainLabel(QStringLiteral("Version :"), this));
    lblVersion_ = PlainLabel(version, this);
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));
    versionRow->addWidget(lblVersion_);
    versionRow->addStretch(1);
    layout->addLayout(versionRow, 2, 1, 1, 2);

    const QString credits =
        QStringLiteral("MP3 tags: Orvane's own ID3v1 reader, and TagLib (LGPL 2.1) for ID3v2\n"
                       "Audio engine: Orvane's engine over libmpg123 (LGPL 2.1),\n"
                       "SDL2 (zlib licence) and libsndfile (LGPL 2.1)\n"
                       "User interface: Qt %1 (LGPL 3)")
            .arg(QString::fromLatin1(qVersion()));
    QLabel* creditLines = PlainLabel(credits, this);
    creditLines->setObjectName(QStringLiteral("lblCredits"));
    layout->addWidget(creditLines, 3, 0, 1, 3);

    // Rich text made only of our own address: nothing from files reaches this label.
    lblLink_ = new QLabel(this);
    lblLink_->setObjectName(QStringLiteral("lblLink"));
    lblLink_->setTextFormat(Qt::RichText);
    lblLink_->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                          .arg(kMakerSite.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                               kMakerSite.host().toHtmlEscaped()));
    lblLink_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(lblLink_, &QLabel::linkActivated, this,
            [open, &prompts] { OpenInDefaultBrowser(kMakerSite, open, prompts); });
    layout->addWidget(lblLink_, 4, 0, 1, 3);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons, 5, 0, 1, 3);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen, not on the window that opened it.
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace orvane
