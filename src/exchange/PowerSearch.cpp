#include "exchange/PowerSearch.h"

#include "platform/AsciiCase.h"

#include <vector>

namespace orvane {

namespace {

using Field = QString SongRecord::*;

// The searched fields in the order FileName, Title, Artist, Year, Album, Genre, Comment.
std::vector<Field> SearchedFields(const SearchOptions& options) {
    const bool all = options.QuickSearch;
    const std::pair<bool, Field> fields[] = {{all || options.FileName, &SongRecord::FileName},
                                             {all || options.Title, &SongRecord::Title},
                                             {all || options.Artist, &SongRecord::Artist},
                                             {all || options.Year, &SongRecord::Year},
                                             {all || options.Album, &SongRecord::Album},
                                             {all || options.Genre, &SongRecord::Genre},
                                             {all || options.Comment, &SongRecord::Comment}};
    std::vector<Field> searched;
    for (const auto& [on, field] : fields)
        if (on)
            searched.push_back(field);
    return searched;
}

// Answers for the texts met so far, by where their characters lie. Records loaded from a cache
// file share the texts that repeat (artist, album, year, genre, ...), so most fields are texts
// answered before. Nothing is freed during a search: the same characters at the same place, of
// the same length, are the same text.
class AnswerCache {
public:
    // The cached answer, or nullptr with the slot to fill claimed.
    const bool* find(const QString& text) {
        slot_ = &slots_[(quintptr(text.constData()) >> 3) % slots_.size()];
        if (slot_->data == text.constData() && slot_->size == text.size())
            return &slot_->hit;
        return nullptr;
    }
    bool keep(const QString& text, bool hit) {
        *slot_ = {text.constData(), text.size(), hit};
        return hit;
    }

private:
    struct Slot {
        const QChar* data = nullptr;
        qsizetype size = -1;
        bool hit = false;
    };
    std::vector<Slot> slots_ = std::vector<Slot>(1024);
    Slot* slot_ = nullptr;
};

} // namespace

qsizetype SearchCollection(const CollectionList& songs, const SearchOptions& options,
                           const DisplayFilter& filter, SongRows* target) {
    if (!target)
        return -1;
    target->clear();
    const KeywordMatcher matcher(AsciiUpper(options.Keywords), MatchModeOf(options));
    const std::vector<Field> fields = SearchedFields(options);
    std::vector<AnswerCache> answers(fields.size());
    qsizetype added = 0;
    for (const SongRecord& record : songs) {
        // Every field's score is 0 or more, so a record is a hit when one field scores.
        bool hit = false;
        for (size_t f = 0; f < fields.size() && !hit; ++f) {
            const QString& text = record.*fields[f];
            // A file name or a title is nearly always the song's own: nothing to look up.
            if (fields[f] == &SongRecord::FileName || fields[f] == &SongRecord::Title) {
                hit = matcher.Hits(text);
                continue;
            }
            const bool* known = answers[f].find(text);
            hit = known ? *known : answers[f].keep(text, matcher.Hits(text));
        }
        if (hit && MakeSongRow(record, *target, filter))
            ++added;
    }
    return added;
}

SearchOptions QuickSearchOptions(const SearchOptions& windowOptions, const QString& text) {
    SearchOptions options = windowOptions;
    options.Keywords = text;
    options.Exact = false;
    options.QuickSearch = true;
    return options;
}

} // namespace orvane
