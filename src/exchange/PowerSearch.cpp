#include "exchange/PowerSearch.h"

#include "platform/AsciiCase.h"

namespace orvane {

int32_t SearchScore(const SongRecord& record, const KeywordMatcher& matcher,
                    const SearchOptions& options) {
    const bool all = options.QuickSearch;
    int32_t score = 0;
    if (all || options.FileName)
        matcher.Match(record.FileName, score);
    if (all || options.Title)
        matcher.Match(record.Title, score);
    if (all || options.Artist)
        matcher.Match(record.Artist, score);
    if (all || options.Year)
        matcher.Match(record.Year, score);
    if (all || options.Album)
        matcher.Match(record.Album, score);
    if (all || options.Genre)
        matcher.Match(record.Genre, score);
    if (all || options.Comment)
        matcher.Match(record.Comment, score);
    return score;
}

qsizetype SearchCollection(const CollectionList& songs, const SearchOptions& options,
                           const DisplayFilter& filter, SongRows* target) {
    if (!target)
        return -1;
    target->clear();
    const KeywordMatcher matcher(AsciiUpper(options.Keywords), MatchModeOf(options));
    qsizetype added = 0;
    for (const SongRecord& record : songs) {
        if (SearchScore(record, matcher, options) > 0 && MakeSongRow(record, *target, filter))
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
