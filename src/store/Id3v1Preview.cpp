#include "store/Id3v1Preview.h"

#include "platform/FileHandle.h"
#include "platform/Paths.h"
#include "store/CollectionList.h"

#include <algorithm>
#include <optional>

namespace orvane {

namespace {

std::optional<Id3v1Block> ReadId3v1(const QString& path) {
    UniqueFile file = OpenFile(path, "rb");
    Id3v1Block block{};
    if (!file || std::fseek(file.get(), -long(kId3v1Size), SEEK_END) != 0 ||
        std::fread(block.data(), 1, block.size(), file.get()) != block.size() ||
        !IsId3v1(block.data()))
        return std::nullopt;
    return block;
}

bool HasHighBytes(const Id3v1Block& block) {
    return std::any_of(block.begin() + 3, block.begin() + 97, [](uint8_t b) { return b >= 0x80; });
}

} // namespace

std::vector<Id3v1Block> PreviewTags(const CollectionList& songs) {
    std::vector<Id3v1Block> high, plain;
    const qsizetype n = std::min(songs.size(), kPreviewLookAt);
    for (qsizetype i = 0; i < n && high.size() < size_t(kPreviewSongs); ++i) {
        const SongRecord& r = songs.at(i);
        const std::optional<Id3v1Block> block =
            ReadId3v1(WithTrailingSeparator(r.Folder) + r.FileName);
        if (!block)
            continue;
        (HasHighBytes(*block) ? high : plain).push_back(*block);
    }
    for (const Id3v1Block& b : plain) {
        if (high.size() >= size_t(kPreviewSongs))
            break;
        high.push_back(b);
    }
    return high;
}

QStringList PreviewLines(const std::vector<Id3v1Block>& tags, int codePage) {
    QStringList lines;
    for (const Id3v1Block& b : tags) {
        const Id3v1Tag tag = DecodeId3v1(b.data(), codePage);
        lines.append(tag.title + QStringLiteral(" - ") + tag.artist + QStringLiteral(" - ") +
                     tag.album);
    }
    return lines;
}

} // namespace orvane
