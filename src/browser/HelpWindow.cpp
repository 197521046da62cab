#include "browser/HelpWindow.h"

#include "browser/MenuImages.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvane {

namespace {
constexpr int kPageRole = Qt::UserRole;
}

THelpWindow::THelpWindow(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , folder_(QDir(folder).absolutePath()) {
    setWindowTitle(QStringLiteral("Help"));
    setWindowIcon(TdmMenuImg::Icon(MenuImage::Help));
    resize(860, 600);
    auto* splitter = new QSplitter(this);
    tabs_ = new QTabWidget(splitter);
    contents_ = new QTreeWidget(tabs_);
    contents_->setHeaderHidden(true);
    tabs_->addTab(contents_, QStringLiteral("Contents"));
    auto* indexPage = new QWidget(tabs_);
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexFind_ = new QLineEdit(indexPage);
    indexFind_->setPlaceholderText(QStringLiteral("Type the word to find"));
    indexFind_->setClearButtonEnabled(true);
    index_ = new QListWidget(indexPage);
    indexLayout->addWidget(indexFind_);
    indexLayout->addWidget(index_);
    tabs_->addTab(indexPage, QStringLiteral("Index"));
    page_ = new QTextBrowser(splitter);
    page_->setSearchPaths({folder_});
    page_->setOpenExternalLinks(true);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({290, 570});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);

    const QString file = folder_ + QStringLiteral("/orvane.help");
    if (!ReadHelpCatalog(file, catalog_)) {
        page_->setPlainText(QStringLiteral("The help pages could not be read from %1.")
                                .arg(QDir::toNativeSeparators(file)));
    }
    // Our own captions, shown as plain item text.
    QList<QTreeWidgetItem*> parents;
    for (const HelpTopic& topic : catalog_.Contents) {
        const int level = std::min<int>(topic.Level, int(parents.size()));
        parents.resize(level);
        auto* item =
            level == 0 ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
        item->setText(0, topic.Caption);
        item->setData(0, kPageRole, topic.Page);
        parents.append(item);
    }
    contents_->expandAll();
    for (const HelpTopic& keyword : catalog_.Index) {
        auto* item = new QListWidgetItem(keyword.Caption, index_);
        item->setData(kPageRole, keyword.Page);
    }
    connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            ShowPage(item->data(0, kPageRole).toString());
    });
    connect(index_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item)
            ShowPage(item->data(kPageRole).toString());
    });
    connect(indexFind_, &QLineEdit::textChanged, this, &THelpWindow::filterIndex);
    connect(indexFind_, &QLineEdit::returnPressed, this, [this] {
        if (QListWidgetItem* item = index_->currentItem())
            ShowPage(item->data(kPageRole).toString());
    });
    if (!catalog_.Contents.isEmpty())
        ShowPage(catalog_.Contents.first().Page);
}

void THelpWindow::ShowTab(Tab tab) {
    tabs_->setCurrentIndex(int(tab));
    if (tab == Tab::Index)
        indexFind_->setFocus();
    else
        contents_->setFocus();
}

void THelpWindow::ShowPage(const QString& page) {
    if (page.isEmpty())
        return;
    const QUrl relative(page);
    QUrl url = QUrl::fromLocalFile(folder_ + u'/' + relative.path());
    url.setFragment(relative.fragment());
    page_->setSource(url);
}

void THelpWindow::filterIndex(const QString& text) {
    // Keywords that begin with the text come first; the first of them is selected.
    QListWidgetItem* first = nullptr;
    for (int i = 0; i < index_->count(); ++i) {
        QListWidgetItem* item = index_->item(i);
        const bool match = item->text().contains(text, Qt::CaseInsensitive);
        item->setHidden(!match);
        if (match && !first && item->text().startsWith(text, Qt::CaseInsensitive))
            first = item;
    }
    if (first) {
        const QSignalBlocker quiet(index_);
        index_->setCurrentItem(first);
    }
}

} // namespace orvane
