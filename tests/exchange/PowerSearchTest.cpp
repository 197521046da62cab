#include "exchange/PowerSearch.h"
#include "support/SongTitles.h"

#include "platform/AsciiCase.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <set>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

SongRecord Song(const QString& file, const QString& title, const QString& artist,
                const QString& album, const QString& genre, const QString& year = u"1999"_s,
                const QString& comment = u"ripped"_s,
                const QString& collection = kLocalCollection) {
    return {file,       title,      artist,
            album,      u"03:00"_s, year,
            genre,      comment,    u"/music/"_s + artist + u"/"_s,
            collection, u"0"_s};
}

CollectionList Collection() {
    CollectionList songs;
    songs.append(Song(u"01.mp3"_s, u"Highway"_s, u"Band A"_s, u"Live"_s, u"Rock"_s));
    songs.append(Song(u"02.mp3"_s, u"Dust"_s, u"Band B"_s, u"Rock Anthems"_s, u"Hard Rock"_s,
                      u"2001"_s, u"x"_s, u"friend.orv"_s));
    songs.append(Song(u"rock.mp3"_s, u"Swing"_s, u"Band C"_s, u"Dance"_s, u"Rockabilly"_s));
    songs.append(Song(u"04.mp3"_s, u"Quiet"_s, u"Band D"_s, u"Calm"_s, u"Jazz"_s, u"1999"_s,
                      u"best rock ever"_s));
    return songs;
}

using test::Titles;

TEST(SearchCollection, FieldSwitchesAndModes) {
    const CollectionList songs = Collection();
    const DisplayFilter all;
    SongRows rows(1); // a row left from before, which the search replaces

    SearchOptions o;
    o.Keywords = u"rock"_s; // whole words by default, typed in lower case
    EXPECT_EQ(SearchCollection(songs, o, all, &rows), 3);
    // Hits in collection order: genre Rock, album "Rock Anthems", the comment; "rock.mp3" is not
    // the whole word ROCK, and Rockabilly is not either.
    EXPECT_EQ(Titles(rows), (QStringList{u"Highway"_s, u"Dust"_s, u"Quiet"_s}));

    o.Comment = false;
    o.Album = false;
    SearchCollection(songs, o, all, &rows);
    EXPECT_EQ(Titles(rows), (QStringList{u"Highway"_s, u"Dust"_s}));

    o.FullWords = false; // part words: Rockabilly and rock.mp3 now count
    SearchCollection(songs, o, all, &rows);
    EXPECT_EQ(Titles(rows), (QStringList{u"Highway"_s, u"Dust"_s, u"Swing"_s}));

    o.FileName = false;
    o.Genre = false; // nothing left that holds the word
    EXPECT_EQ(SearchCollection(songs, o, all, &rows), 0);
    EXPECT_TRUE(rows.empty());

    o.Keywords = u"hard rock"_s;
    o.Genre = true;
    o.Exact = true;
    SearchCollection(songs, o, all, &rows);
    EXPECT_EQ(Titles(rows), QStringList{u"Dust"_s});
    o.Keywords = u"hard rock "_s; // the trailing blank is part of the text
    EXPECT_EQ(SearchCollection(songs, o, all, &rows), 0);

    // A year is searched as text.
    o = SearchOptions{};
    o.Keywords = u"2001"_s;
    SearchCollection(songs, o, all, &rows);
    EXPECT_EQ(Titles(rows), QStringList{u"Dust"_s});
}

TEST(SearchCollection, NoSwitchesNoHitsButQuickSearchSearchesAll) {
    const CollectionList songs = Collection();
    const DisplayFilter all;
    SongRows rows;
    SearchOptions o;
    o.Keywords = u"rock"_s;
    o.Title = o.Artist = o.Comment = o.Genre = o.FileName = o.Year = o.Album = false;
    EXPECT_EQ(SearchCollection(songs, o, all, &rows), 0);
    o.Keywords.clear();
    o.FullWords = false; // empty keywords in part-word mode hit every searched field
    EXPECT_EQ(SearchCollection(songs, o, all, &rows), 0);
    o.Album = true; // ... here every song; whole words need an empty field
    EXPECT_EQ(SearchCollection(songs, o, all, &rows), 4);
    o.FullWords = true;
    EXPECT_EQ(SearchCollection(songs, o, all, &rows), 0);

    // The quick search ignores the switches and the Exact box, and matches whole words.
    o.Exact = true;
    const SearchOptions quick = QuickSearchOptions(o, u"ROCK.MP3"_s);
    EXPECT_FALSE(quick.Exact);
    EXPECT_TRUE(quick.QuickSearch);
    EXPECT_FALSE(o.QuickSearch); // the window's own options are left alone
    SearchCollection(songs, quick, all, &rows);
    EXPECT_EQ(Titles(rows), QStringList{u"Swing"_s});
}

TEST(SearchCollection, HiddenCollectionsAreNoHitsAndNoTargetTouchesNothing) {
    const CollectionList songs = Collection();
    DisplayFilter filter;
    filter.SetCollectionFilter({u"Local.orv;1"_s, u"FRIEND.ORV;0"_s}); // letter case ignored
    SongRows rows;
    SearchOptions o;
    o.Keywords = u"rock"_s;
    EXPECT_EQ(SearchCollection(songs, o, filter, &rows), 2);
    EXPECT_EQ(Titles(rows), (QStringList{u"Highway"_s, u"Quiet"_s}));
    // The rows are the records' rows: every value in place.
    EXPECT_EQ(rows[0], SongRow::FromRecord(songs[0]));
    SearchCollection(songs, QuickSearchOptions(o, u"dust"_s), filter, &rows);
    EXPECT_TRUE(rows.empty());

    EXPECT_EQ(SearchCollection(songs, o, filter, nullptr), -1);
}

// The hits by the plain definition: a searched field that the keywords match, field by field.
bool LinearHit(const SongRecord& r, const SearchOptions& o) {
    const QString keywords = AsciiUpper(o.Keywords);
    const bool all = o.QuickSearch;
    const std::pair<bool, QString> fields[] = {
        {all || o.FileName, r.FileName}, {all || o.Title, r.Title}, {all || o.Artist, r.Artist},
        {all || o.Year, r.Year},         {all || o.Album, r.Album}, {all || o.Genre, r.Genre},
        {all || o.Comment, r.Comment}};
    for (const auto& [searched, value] : fields) {
        const QString field = AsciiUpper(value);
        if (!searched)
            continue;
        if (o.Exact) {
            if (field == keywords)
                return true;
            continue;
        }
        for (const QString& word : keywords.split(u' ')) {
            if (all || o.FullWords ? (u' ' + field + u' ').contains(u' ' + word + u' ')
                                   : field.contains(word))
                return true;
        }
    }
    return false;
}

// Records that share their texts (as a loaded collection's do) and records with equal texts of
// their own, searched in every mode with random keywords, against the plain definition.
TEST(SearchCollection, AgreesWithTheFieldByFieldDefinition) {
    const QStringList words = {u"rock"_s,      u"Rock"_s, u"hard"_s, u"a"_s,
                               u"caf\u00e9"_s, {},        u"x,"_s};
    QRandomGenerator rng(7);
    const auto text = [&] {
        QStringList parts;
        for (int n = rng.bounded(4); n > 0; --n)
            parts.append(words[rng.bounded(int(words.size()))]);
        return parts.join(u' ');
    };
    std::vector<QString> shared;
    for (int i = 0; i < 12; ++i)
        shared.push_back(text());
    const auto value = [&] {
        return rng.bounded(2) ? shared[size_t(rng.bounded(int(shared.size())))] : text();
    };
    CollectionList songs;
    for (int i = 0; i < 300; ++i)
        songs.append({text() + u'#' + QString::number(i), value(), value(), value(), u"03:00"_s,
                      value(), value(), value(), u"/m/"_s, kLocalCollection, u"0"_s});

    // The same rows are refilled round after round, with more hits or fewer, and on some rounds
    // the display filter drops the odd songs: every row must be the hit's whole.
    DisplayFilter oddDropped;
    oddDropped.SetTest(
        [](const SongRow& row) { return row.FileName.back().digitValue() % 2 == 0; });
    SongRows rows;
    for (int round = 0; round < 200; ++round) {
        SearchOptions o;
        o.Keywords = text();
        o.Exact = rng.bounded(4) == 0;
        o.FullWords = rng.bounded(2);
        o.QuickSearch = rng.bounded(4) == 0;
        o.Title = rng.bounded(2);
        o.Artist = rng.bounded(2);
        o.Album = rng.bounded(2);
        o.Comment = rng.bounded(2);
        const DisplayFilter& filter = rng.bounded(3) == 0 ? oddDropped : DisplayFilter();
        SongRows expected;
        for (const SongRecord& r : songs)
            if (LinearHit(r, o) && filter.Passes(SongRow::FromRecord(r)))
                expected.push_back(SongRow::FromRecord(r));
        EXPECT_EQ(SearchCollection(songs, o, filter, &rows), qsizetype(expected.size()));
        ASSERT_EQ(rows, expected) << "round " << round;
    }
}

// A large collection is searched in parts at once: the hits still come in collection order,
// those next to where the parts meet included.
TEST(SearchCollection, ALargeCollectionGivesItsHitsInOrder) {
    const qsizetype n = 250'001;
    std::set<qsizetype> hitRows;
    for (qsizetype i = 0; i < n; i += 9973)
        hitRows.insert(i);
    for (qsizetype parts = 2; parts <= 4; ++parts)
        for (qsizetype k = 1; k < parts; ++k)
            for (qsizetype d = -1; d <= 1; ++d)
                hitRows.insert(n * k / parts + d);
    CollectionList songs;
    songs.reserve(n);
    const QString other = u"Other"_s;
    for (qsizetype i = 0; i < n; ++i)
        songs.append({QString::number(i), hitRows.count(i) ? u"The Hit"_s : other, other, other,
                      u"03:00"_s, other, other, other, u"/m/"_s, kLocalCollection, u"0"_s});
    SearchOptions o;
    o.Keywords = u"hit"_s;
    o.Title = true;
    SongRows rows;
    SearchCollection(songs, o, DisplayFilter(), &rows);
    std::vector<qsizetype> found;
    for (const SongRow& row : rows)
        found.push_back(row.FileName.toLongLong());
    EXPECT_EQ(found, std::vector<qsizetype>(hitRows.begin(), hitRows.end()));
}

// The quick search: whole blank-separated words of any field, without regard to case.
TEST(SearchCollection, QuickSearchFindsWholeWordsAndEmptyFields) {
    CollectionList songs;
    songs.append(Song(u"a.mp3"_s, u"The Beat Goes On"_s, u"Ann"_s, u"X"_s, u"Pop"_s));
    songs.append(Song(u"b.mp3"_s, u"Tune"_s, u"BEAT"_s, u"Y"_s, u"Pop"_s));
    songs.append(Song(u"c.mp3"_s, u"Beatles Medley"_s, u"Cid"_s, u"Z"_s, u"Pop"_s));
    songs.append(Song(u"d.mp3"_s, u"Untagged"_s, u"Dan"_s, {}, u"Pop"_s));
    const DisplayFilter all;
    SongRows rows;
    const auto search = [&](const QString& text) {
        SearchCollection(songs, QuickSearchOptions({}, text), all, &rows);
        return Titles(rows);
    };
    const QStringList beat{u"The Beat Goes On"_s, u"Tune"_s};
    EXPECT_EQ(search(u"beat"_s), beat);
    EXPECT_EQ(search(u"bEaT"_s), beat);
    // Two blanks, or a blank before or after, give an empty word: it finds the empty album.
    EXPECT_EQ(search(u"beat  xyz"_s), (QStringList{beat[0], beat[1], u"Untagged"_s}));
    EXPECT_EQ(search(u" beat"_s), (QStringList{beat[0], beat[1], u"Untagged"_s}));
    EXPECT_EQ(search(u"beat cid"_s), (QStringList{beat[0], beat[1], u"Beatles Medley"_s}));
}

} // namespace
} // namespace orvane
