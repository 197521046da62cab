#include "exchange/KeywordMatch.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

int32_t Score(const QString& upperKeywords, const QString& field, MatchMode mode) {
    int32_t score = 0;
    KeywordMatcher(upperKeywords, mode).Match(field, score);
    return score;
}

struct Case {
    const char16_t* keywords; // as the callers pass them: upper-cased
    const char16_t* field;
    int32_t partWords;
    int32_t wholeWords;
    int32_t exact;
};

TEST(MatchKeywords, ScoresEachModeAsDefined) {
    const Case cases[] = {
        // A word ending the field fails the first part-word test and scores as a word start.
        {u"ROCK", u"Rock", 5, 10, 100},
        {u"ROCK", u"Hard Rock", 5, 10, 0},
        {u"ROCK", u"Rockabilly", 5, 0, 0},
        {u"ROCK", u"Punk Rock Band", 10, 10, 0},
        // Ends a word followed by a space; inside a word only.
        {u"ROCK", u"Hardrock Live", 5, 0, 0},
        {u"ROCK", u"Hardrocker", 1, 0, 0},
        {u"ROCK", u"Jazz", 0, 0, 0},
        // Each word counts on its own; punctuation belongs to the word.
        {u"HARD ROCK", u"Hard Rock", 15, 20, 100},
        {u"ROCK", u"Rock, Pop", 5, 0, 0},
        {u"ROCK,", u"Rock, Pop", 10, 10, 0},
        // Exact compares the whole text, blanks included.
        {u"HARD ROCK", u"hard rock", 15, 20, 100},
        {u"HARD ROCK", u"Hard Rock ", 20, 20, 0},
        {u"HARD ROCK ", u"Hard Rock", 20, 20, 0},
        // A trailing blank in the keywords adds an empty word, which every field starts with.
        {u"ROCK ", u"Jazz", 5, 0, 0},
        // No keywords: one empty word, which begins every field; whole words and exact need
        // an empty field, or (whole words) two blanks in a row.
        {u"", u"Anything", 5, 0, 0},
        {u"", u"", 5, 10, 100},
        {u"", u"Some  Thing", 10, 10, 0},
        {u"", u" ", 10, 10, 0},
    };
    for (const Case& c : cases) {
        const QString k = QString::fromUtf16(c.keywords);
        const QString f = QString::fromUtf16(c.field);
        SCOPED_TRACE(f.toStdString() + " / " + k.toStdString());
        EXPECT_EQ(Score(k, f, MatchMode::PartWords), c.partWords);
        EXPECT_EQ(Score(k, f, MatchMode::WholeWords), c.wholeWords);
        EXPECT_EQ(Score(k, f, MatchMode::Exact), c.exact);
    }
}

TEST(MatchKeywords, OnlyAsciiLettersChangeCase) {
    // é and É are different characters, and upper-casing leaves é as it is.
    EXPECT_EQ(Score(u"CAF\u00C9"_s, u"caf\u00E9"_s, MatchMode::Exact), 0);
    EXPECT_EQ(Score(u"CAF\u00C9"_s, u"caf\u00E9"_s, MatchMode::WholeWords), 0);
    EXPECT_EQ(Score(u"CAF\u00E9"_s, u"caf\u00E9"_s, MatchMode::Exact), 100);
    EXPECT_EQ(Score(u"CAF\u00C9"_s, u"Caf\u00C9"_s, MatchMode::WholeWords), 10);
    // Keywords are compared as given: lower-case keywords never meet an upper-cased field.
    EXPECT_EQ(Score(u"rock"_s, u"rock"_s, MatchMode::Exact), 0);
}

TEST(MatchKeywords, WordsAndScoresAcrossFields) {
    const KeywordMatcher m(u"A  B "_s, MatchMode::WholeWords);
    const std::vector<QString> words{u"A"_s, {}, u"B"_s, {}};
    EXPECT_EQ(m.Words(), words);

    // The score is raised field after field; exact mode sets it to 100 instead.
    int32_t score = 0;
    const KeywordMatcher rock(u"ROCK"_s, MatchMode::PartWords);
    rock.Match(u"Punk Rock Band"_s, score);
    rock.Match(u"Rock"_s, score);
    rock.Match(u"Rockabilly and a much longer field than before"_s, score);
    rock.Match(u"x"_s, score); // the reused buffer shrinks without leaving old text behind
    EXPECT_EQ(score, 20);
    KeywordMatcher(u"ROCK"_s, MatchMode::Exact).Match(u"rock"_s, score);
    EXPECT_EQ(score, 100);

    // The mode the options ask for: the quick search forces whole words, Exact wins.
    SearchOptions o;
    o.FullWords = false;
    EXPECT_EQ(MatchModeOf(o), MatchMode::PartWords);
    o.QuickSearch = true;
    EXPECT_EQ(MatchModeOf(o), MatchMode::WholeWords);
    o.Exact = true;
    EXPECT_EQ(MatchModeOf(o), MatchMode::Exact);
}

} // namespace
} // namespace orvane
