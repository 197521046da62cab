#include "exchange/PowerSearch.h"

#include "platform/AsciiCase.h"

#include <algorithm>
#include <functional>
#include <system_error>
#include <thread>
#include <vector>

namespace orvane {

namespace {

// The searched fields in the order FileName, Title, Artist, Year, Album, Genre, Comment.
std::vector<SongField> SearchedFields(const SearchOptions& options) {
    const bool all = options.QuickSearch;
    const std::pair<bool, SongField> fields[] = {
        {all || options.FileName, SongField::FileName}, {all || options.Title, SongField::Title},
        {all || options.Artist, SongField::Artist},     {all || options.Year, SongField::Year},
        {all || options.Album, SongField::Album},       {all || options.Genre, SongField::Genre},
        {all || options.Comment, SongField::Comment}};
    std::vector<SongField> searched;
    for (const auto& [on, field] : fields)
        if (on)
            searched.push_back(field);
    return searched;
}

// Marks the hits among the records from begin to end (hits[i - begin]), with a matcher and
// answers of its own, so that parts of the collection can be searched at the same time. A
// file name or a title is nearly always the song's own; every other value is one of the
// list's shared texts, answered once per text (the answer does not depend on the field).
void FindHits(const CollectionList& songs, qsizetype begin, qsizetype end,
              const SearchOptions& options, const std::vector<SongField>& fields, uint8_t* hits) {
    const KeywordMatcher matcher(AsciiUpper(options.Keywords), MatchModeOf(options));
    TextAnswers answers(songs.TextCount());
    for (qsizetype i = begin; i < end; ++i) {
        // Every field's score is 0 or more, so a record is a hit when one field scores.
        bool hit = false;
        for (size_t f = 0; f < fields.size() && !hit; ++f) {
            if (fields[f] == SongField::FileName || fields[f] == SongField::Title) {
                hit = matcher.Hits(songs.Value(i, fields[f]));
                continue;
            }
            const uint32_t text = songs.TextNumber(i, fields[f]);
            hit = answers.Of(text, [&] { return matcher.Hits(songs.Text(text)); });
        }
        hits[i - begin] = hit;
    }
}

} // namespace

qsizetype SearchCollection(const CollectionList& songs, const SearchOptions& options,
                           const DisplayFilter& filter, SongRows* target) {
    if (!target)
        return -1;
    const std::vector<SongField> fields = SearchedFields(options);
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
    std::vector<qsizetype> hitRows;
    hitRows.reserve(size_t(std::count(hits.begin(), hits.end(), uint8_t(1))));
    for (qsizetype i = 0; i < n; ++i)
        if (hits[size_t(i)])
            hitRows.push_back(i);
    // The rows are written over those the target holds, in one pass over its memory instead of
    // a clear and a refill; what is left of them is dropped at the end. The hits lie apart in
    // memory: each row's song and texts, and the texts it replaces, are asked for ahead of use.
    SongRows& rows = *target;
    rows.reserve(hitRows.size());
    constexpr size_t kSongsAhead = 16, kTextsAhead = 8;
    size_t added = 0;
    for (size_t k = 0; k < hitRows.size(); ++k) {
        if (k + kSongsAhead < hitRows.size())
            songs.PrefetchSong(hitRows[k + kSongsAhead]);
        if (k + kTextsAhead < hitRows.size()) {
            songs.PrefetchOwnTexts(hitRows[k + kTextsAhead]);
            if (added + kTextsAhead < rows.size())
                PrefetchOwnTexts(rows[added + kTextsAhead]);
        }
        if (added < rows.size())
            SetRowOfSong(rows[added], songs, hitRows[k]);
        else
            rows.push_back(RowOfSong(songs, hitRows[k]));
        if (filter.Passes(rows[added]))
            ++added;
    }
    rows.erase(rows.begin() + qsizetype(added), rows.end());
    return qsizetype(added);
}

SearchOptions QuickSearchOptions(const SearchOptions& windowOptions, const QString& text) {
    SearchOptions options = windowOptions;
    options.Keywords = text;
    options.Exact = false;
    options.QuickSearch = true;
    return options;
}

} // namespace orvane
