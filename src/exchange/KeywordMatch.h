#pragma once
// The program's one word matcher: how well one text field of a song matches the keywords the
// user typed. Used by the power search, the quick search and the album and artist views.
//
// Upper-casing turns the ASCII letters a-z into A-Z only; every other character is compared
// as it stands, so an accented letter never matches its other case. Words are separated by
// the space character alone (punctuation belongs to the word), and two spaces in a row give an
// empty word.
//
// The score of a song is a signed counter that the caller sets to 0 before the song and that
// each matched field raises; the song is a hit when it ends above 0.
//  - Exact: the score becomes 100 when the field equals the whole keyword text (upper-cased,
//    blanks included); nothing else is tested.
//  - Whole words (FullWords or QuickSearch): +10 for each word that stands as a whole word in
//    the field (" " + word + " " occurs in " " + field + " ").
//  - Part words (otherwise): per word the first of these that holds:
//    " " + word + " " in " " + field (+10; a word ending the field fails here), " " + word in
//    " " + field (+5), word + " " in " " + field (+5), word anywhere in the field (+1).
//
// Data logic: QtCore only, any thread (a matcher object is used by one thread at a time).

#include "exchange/SearchOptions.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace orvane {

enum class MatchMode { Exact, WholeWords, PartWords };

// The mode the options ask for: Exact wins over everything, QuickSearch forces whole words.
MatchMode MatchModeOf(const SearchOptions& options);

// The keywords split once for many fields. The keywords are taken as given: callers pass them
// upper-cased (AsciiUpper), as the field is upper-cased here and compared with them.
class KeywordMatcher {
public:
    KeywordMatcher(const QString& upperKeywords, MatchMode mode);

    // Raises score by what the field earns (sets it to 100 in exact mode on a match).
    void Match(const QString& field, int32_t& score) const;
    // Whether Match would raise a score of 0 above 0; stops at the first word that matches.
    bool Hits(const QString& field) const;

    MatchMode Mode() const { return mode_; }
    // The words tested outside exact mode, in order (empty words included).
    const std::vector<QString>& Words() const { return words_; }

private:
    QString keywords_;
    MatchMode mode_;
    std::vector<QString> words_;    // WORD
    std::vector<QString> spaced_;   // " WORD "
    std::vector<QString> leading_;  // " WORD"
    std::vector<QString> trailing_; // "WORD "
    mutable QString field_;         // " FIELD " of the field being matched, reused
};

// One call of the matcher, for callers that match a single field.
void MatchKeywords(const QString& upperKeywords, const QString& field, const SearchOptions& options,
                   int32_t& score);

} // namespace orvane
