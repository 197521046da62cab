#include "exchange/PowerSearch.h"

#include "platform/AsciiCase.h"

namespace orvane {

int32_t SearchScore(const SongRecord& record, const KeywordMatcher& matcher,
                    const SearchOptions& options) {
    const bool all = options.QuickSearch;
    const std::pair<bool, const QString*> fields[] = {
        {all || options.FileName, &record.FileName}, {all || options.Title, &record.Title},
        {all || options.Artist, &record.Artist},     {all || options.Year, &record.Year},
        {all || options.Album, &record.Album},       {all || options.Genre, &record.Genre},
        {all || options.Comment, &record.Comment}};
    int32_t score = 0;
    for (const auto& [searched, field] : fields) {
        if (!searched)
            continue;
        matcher.Match(*field, score);
        // The quick search needs a hit, not a score: the first field that matches settles it.
        if (all && score > 0)
            break;
    }
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
