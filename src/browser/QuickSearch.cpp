#include "browser/QuickSearch.h"

#include "browser/PowerSearchCommands.h"
#include "browser/TfrmMain.h"
#include "exchange/PowerSearch.h"
#include "exchange/TfrmHunter.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace orvane {

QuickSearch::QuickSearch(TfrmMain& main, TfrmHunter& hunter, const CollectionList& songs,
                         const DisplayFilter& filter)
    : QObject(&main)
    , main_(main)
    , hunter_(hunter)
    , songs_(songs)
    , filter_(filter) {
    main_.SetHandler(QStringLiteral("btnSearchClick"), [this] { Run(); });
    main_.edSearchtxt()->lineEdit()->installEventFilter(this);
    // Any other filling of the list ends the hits' time there.
    connect(main_.SelectionModel(), &QAbstractItemModel::modelReset, this, [this] {
        if (!showing_)
            hitsShown_ = false;
    });
}

bool QuickSearch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonRelease) {
        // After the line edit has placed its cursor, so that the selection stays.
        auto* edit = qobject_cast<QLineEdit*>(watched);
        QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
    }
    return QObject::eventFilter(watched, event);
}

void QuickSearch::Run() {
    QComboBox* box = main_.edSearchtxt();
    const QString text = box->currentText();
    if (text.trimmed().isEmpty())
        return;
    // The list's own look-up ignores letter case: "Beat" after "beat" is not added again.
    if (box->findText(text, Qt::MatchFixedString) < 0)
        box->addItem(text);
    box->setCurrentText(text);
    box->lineEdit()->selectAll();
    search(text);
}

void QuickSearch::Rerun() {
    if (hitsShown_ && !lastText_.isNull())
        search(lastText_);
}

void QuickSearch::search(const QString& text) {
    TSongListView* list = SongListForResults(main_);
    if (!list)
        return;
    main_.SongPane()->setCurrentIndex(int(SongPage::Selection));
    main_.CategoryPane()->hide();
    list->SetSorting(ColumnSorting::HeaderClickToggles);
    // The power-search window shows the text searched; its own Exact switch is kept.
    const bool exact = hunter_.Exact();
    hunter_.SetExact(false);
    hunter_.SetKeywords(text);
    SongRows hits = list->Songs()->TakeRows();
    SearchCollection(songs_, QuickSearchOptions(hunter_.Options(), text), filter_, &hits);
    hunter_.SetExact(exact);
    showing_ = true;
    main_.ShowSongsIn(list, std::move(hits));
    showing_ = false;
    hitsShown_ = list == main_.lvSelection();
    lastText_ = text;
    main_.UpdateCommands();
}

} // namespace orvane
