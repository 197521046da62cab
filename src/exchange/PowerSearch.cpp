#include "exchange/PowerSearch.h"

#include "platform/AsciiCase.h"

#include <algorithm>
#include <functional>
#include <system_error>
#include <thread>
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

// Marks the hits among the records from begin to end (hits[i - begin]), with a matcher and
// answers of its own, so that parts of the collection can be searched at the same time.
void FindHits(const CollectionList& songs, qsizetype begin, qsizetype end,
              const SearchOptions& options, const std::vector<Field>& fields, uint8_t* hits) {
    const KeywordMatcher matcher(AsciiUpper(options.Keywords), MatchModeOf(options));
    std::vector<AnswerCache> answers(fields.size());
    for (qsizetype i = begin; i < end; ++i) {
        const SongRecord& record = songs[i];
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
        hits[i - begin] = hit;
    }
}

} // namespace

qsizetype SearchCollection(const CollectionList& songs, const SearchOptions& options,
                           const DisplayFilter& filter, SongRows* target) {
    if (!target)
        return -1;
    target->clear();
    const std::vector<Field> fields = SearchedFields(options);
    const qsizetype n = songs.size();
    std::vector<uint8_t> hits(size_t(n), 0);
    // A large collection is searched in parts on the processors there are; the records are
    // only read meanwhile, and the hits are taken in collection order afterwards.
    constexpr qsizetype kSongsPerPart = 100'000;
    const qsizetype parts = std::clamp<qsizetype>(
        n / kSongsPerPart, 1, qsizetype(std::max(1u, std::thread::hardware_concurrency())));
    {
        std::vector<std::jthread> helpers;
        for (qsizetype part = 1; part < parts; ++part) {
            const qsizetype begin = n * part / parts;
            const qsizetype end = n * (part + 1) / parts;
            try {
                helpers.emplace_back(FindHits, std::cref(songs), begin, end, std::cref(options),
                                     std::cref(fields), hits.data() + begin);
            } catch (const std::system_error&) { // no thread to be had: this one does it
                FindHits(songs, begin, end, options, fields, hits.data() + begin);
            }
        }
        FindHits(songs, 0, n / parts, options, fields, hits.data());
    }
    qsizetype added = 0;
    for (qsizetype i = 0; i < n; ++i)
        if (hits[size_t(i)] && MakeSongRow(songs[i], *target, filter))
            ++added;
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
