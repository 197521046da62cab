#pragma once
// The help window: a Contents tab (the topics as a tree) and an Index tab (keywords with a
// box that finds them as one types) beside the page shown. The pages are our own HTML files in
// the help folder; a catalog that cannot be read is said so in the page pane. GUI thread only.

#include "browser/HelpCatalog.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

namespace orvane {

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    enum class Tab { Contents = 0, Index = 1 };

    // folder: the help folder, holding "orvane.help" and the pages.
    explicit THelpWindow(const QString& folder, QWidget* parent = nullptr);

    void ShowTab(Tab tab);
    // Shows a page of the help folder ("tag-editor.htm#fields").
    void ShowPage(const QString& page);
    const HelpCatalog& Catalog() const { return catalog_; }

    QTabWidget* Tabs() const { return tabs_; }
    QTreeWidget* ContentsTree() const { return contents_; }
    QLineEdit* IndexFind() const { return indexFind_; }
    QListWidget* IndexList() const { return index_; }
    QTextBrowser* PageView() const { return page_; }

private:
    void filterIndex(const QString& text);

    QString folder_;
    HelpCatalog catalog_;
    QTabWidget* tabs_;
    QTreeWidget* contents_;
    QLineEdit* indexFind_;
    QListWidget* index_;
    QTextBrowser* page_;
};

} // namespace orvane
