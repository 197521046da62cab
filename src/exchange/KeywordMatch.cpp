#include "exchange/KeywordMatch.h"

#include "platform/AsciiCase.h"

#include <limits>
#include <span>
#include <string_view>

namespace orvane {

namespace {

const QChar kSpace = u' ';

// Saturates instead of overflowing: a pathological keyword text of millions of words must not
// wrap the score below zero and turn a hit into a miss.
void Raise(int32_t& score, int32_t amount) {
    score = score > std::numeric_limits<int32_t>::max() - amount
                ? std::numeric_limits<int32_t>::max()
                : score + amount;
}

bool Contains(QStringView text, QStringView part) {
    const std::u16string_view haystack(text.utf16(), size_t(text.size()));
    return haystack.find(std::u16string_view(part.utf16(), size_t(part.size()))) !=
           std::u16string_view::npos;
}

// Whether one of the field's words (split at each space, empty ones included) is one of the
// given upper-cased words, the field upper-cased as it is read: " WORD " in " FIELD " for any of
// the words, in one pass over the field.
bool HasAnyWholeWord(QStringView field, std::span<const QString> words) {
    const char16_t* f = field.utf16();
    const qsizetype n = field.size();
    for (qsizetype start = 0; start <= n;) {
        qsizetype end = start;
        while (end < n && f[end] != u' ')
            ++end;
        const qsizetype len = end - start;
        for (const QString& word : words) {
            if (word.size() != len)
                continue;
            const char16_t* w = QStringView(word).utf16();
            qsizetype j = 0;
            while (j < len && AsciiUpperChar(f[start + j]) == w[j])
                ++j;
            if (j == len)
                return true;
        }
        start = end + 1;
    }
    return false;
}

} // namespace

MatchMode MatchModeOf(const SearchOptions& options) {
    if (options.Exact)
        return MatchMode::Exact;
    if (options.FullWords || options.QuickSearch)
        return MatchMode::WholeWords;
    return MatchMode::PartWords;
}

KeywordMatcher::KeywordMatcher(const QString& upperKeywords, MatchMode mode)
    : keywords_(upperKeywords)
    , mode_(mode) {
    if (mode_ == MatchMode::Exact)
        return;
    // The keyword text with one space appended, taken word by word up to each space: every
    // space ends a word, so n spaces in the text give n + 1 words, empty ones included.
    const QString text = upperKeywords + kSpace;
    qsizetype start = 0;
    for (qsizetype space = text.indexOf(kSpace); space >= 0;
         start = space + 1, space = text.indexOf(kSpace, start)) {
        const QString word = text.mid(start, space - start);
        words_.push_back(word);
        spaced_.push_back(kSpace + word + kSpace);
        leading_.push_back(kSpace + word);
        trailing_.push_back(word + kSpace);
    }
}

void KeywordMatcher::Match(const QString& field, int32_t& score) const {
    const qsizetype n = field.size();
    if (mode_ == MatchMode::Exact) {
        // keywords + " " equal to FIELD + " " is keywords equal to FIELD.
        if (n != keywords_.size())
            return;
        const QChar* f = field.constData();
        const QChar* k = keywords_.constData();
        for (qsizetype i = 0; i < n; ++i)
            if (AsciiUpperChar(f[i].unicode()) != k[i].unicode())
                return;
        score = 100;
        return;
    }

    if (mode_ == MatchMode::WholeWords) {
        for (const QString& word : words_)
            if (HasAnyWholeWord(field, std::span(&word, 1)))
                Raise(score, 10);
        return;
    }

    // " FIELD " in a buffer kept from call to call, so matching allocates nothing once the
    // buffer has grown to the longest field.
    field_.resize(n + 2);
    QChar* buffer = field_.data();
    buffer[0] = kSpace;
    const QChar* src = field.constData();
    for (qsizetype i = 0; i < n; ++i)
        buffer[i + 1] = QChar(AsciiUpperChar(src[i].unicode()));
    buffer[n + 1] = kSpace;
    const QStringView spacedField(field_);                  // " FIELD "
    const QStringView leadField = spacedField.first(n + 1); // " FIELD"
    const QStringView bareField = spacedField.sliced(1, n); // "FIELD"

    for (size_t w = 0; w < words_.size(); ++w) {
        // Each of the first three tests finds the word inside the field (a word holds no
        // space), so a field without it fails them all: one search settles most fields.
        if (!Contains(bareField, words_[w]))
            continue;
        if (Contains(leadField, spaced_[w]))
            Raise(score, 10);
        else if (Contains(leadField, leading_[w]) || Contains(leadField, trailing_[w]))
            Raise(score, 5);
        else
            Raise(score, 1);
    }
}

bool KeywordMatcher::Hits(const QString& field) const {
    if (mode_ == MatchMode::WholeWords)
        return HasAnyWholeWord(field, words_);
    int32_t score = 0;
    Match(field, score);
    return score > 0;
}

void MatchKeywords(const QString& upperKeywords, const QString& field, const SearchOptions& options,
                   int32_t& score) {
    KeywordMatcher(upperKeywords, MatchModeOf(options)).Match(field, score);
}

} // namespace orvane
