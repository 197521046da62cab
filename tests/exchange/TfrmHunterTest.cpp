#include "exchange/TfrmHunter.h"
#include "exchange/SearchAnimation.h"

#include "support/WidgetTestApp.h"
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
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
    struct Box {
        const char16_t* name;
        const char16_t* caption;
        bool checked;
    };
    const Box boxes[] = {
        {u"cbExact", u"&Exact match only", false},
        {u"cbFullWords", u"&Full words", true},
        {u"cbTitle", u"Title", true},
        {u"cbArtist", u"Artist", true},
        {u"cbComment", u"Comments", true},
        {u"cbGenre", u"Genre", true},
        {u"cbFilename", u"Filename", true},
        {u"cbYear", u"Year", true},
        {u"cbAlbum", u"Album", true},
    };
    for (const Box& b : boxes) {
        QCheckBox* box = Check(w, QString::fromUtf16(b.name));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QString::fromUtf16(b.caption));
        EXPECT_EQ(box->isChecked(), b.checked) << box->text().toStdString();
    }
    EXPECT_EQ(w.Options(), SearchOptions{});

    QStringList labels;
    for (const QLabel* label : w.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains(u"Search for"_s));
    ASSERT_NE(w.findChild<QGroupBox*>(), nullptr);
    EXPECT_EQ(w.findChild<QGroupBox*>()->title(), u"Search In"_s);
    EXPECT_TRUE(w.edFileName()->isReadOnly());
    EXPECT_EQ(w.btnSearch()->text(), u"&Search..."_s);

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
