#include "exchange/TfrmHunter.h"
#include "exchange/SearchAnimation.h"

#include "support/WidgetTestApp.h"
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>
#include <memory>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

class TfrmHunterTest : public ::testing::Test {
protected:
    void SetUp() override { test::WidgetApp(); }

    QCheckBox* Check(TfrmHunter& w, const QString& name) {
        auto* box = w.findChild<QCheckBox*>(name);
        EXPECT_NE(box, nullptr) << name.toStdString();
        return box;
    }
    void Key(QWidget* target, int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }
};

TEST_F(TfrmHunterTest, ControlsCaptionsAndDefaults) {
    TfrmHunter w;
    // Each field's box under its caption; the defaults reach the options through the boxes.
    const QStringList boxes =
        u"cbExact|&Exact match only|cbFullWords|&Full words|cbTitle|Title|cbArtist|Artist|"
        u"cbComment|Comments|cbGenre|Genre|cbFilename|Filename|cbYear|Year|cbAlbum|Album"_s.split(
            u'|');
    for (qsizetype i = 0; i < boxes.size(); i += 2) {
        QCheckBox* box = Check(w, boxes[i]);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), boxes[i + 1]);
    }
    EXPECT_EQ(w.Options(), SearchOptions{});
    EXPECT_TRUE(w.edFileName()->isReadOnly());
    w.show();
    EXPECT_FALSE(w.edFileName()->isVisible());
    EXPECT_FALSE(w.btnCancel()->isVisible());

    // Options come from the controls and go back into them unchanged.
    SearchOptions o;
    o.Keywords = u" two  words "_s;
    o.Exact = true;
    o.FullWords = false;
    o.Genre = false;
    o.Year = false;
    w.SetOptions(o);
    EXPECT_EQ(w.Options(), o);
    w.SetExact(false);
    EXPECT_FALSE(w.Options().Exact);
}

TEST_F(TfrmHunterTest, SearchRunsWithTheOptionsThenCloses) {
    TfrmHunter w;
    std::vector<SearchOptions> searches;
    bool animating = false;
    w.OnSearch = [&](const SearchOptions& o) {
        searches.push_back(o);
        animating = w.Animate1()->IsRunning();
    };
    w.show();
    w.edKeywords()->setText(u"rock"_s);
    w.btnSearch()->click();
    ASSERT_EQ(searches.size(), 1u);
    EXPECT_EQ(searches[0].Keywords, u"rock"_s);
    EXPECT_TRUE(animating);
    EXPECT_FALSE(w.Animate1()->IsRunning());
    EXPECT_FALSE(w.isVisible());

    // Shown again, the focus is in the keyword box (which keeps the last search, selected).
    w.show();
    EXPECT_EQ(w.focusWidget(), w.edKeywords());
    EXPECT_FALSE(w.Animate1()->IsRunning());

    // Enter in the keyword box starts the search (the default button).
    Key(w.edKeywords(), Qt::Key_Return);
    EXPECT_EQ(searches.size(), 2u);
    EXPECT_FALSE(w.isVisible());

    // Esc closes without searching.
    w.show();
    Key(w.edKeywords(), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(searches.size(), 2u);
}

} // namespace
} // namespace orvane
