#pragma once
// How song files' tags are read: whether an ID3v2 tag is read as well as the ID3v1 tag, and the
// code page of ID3v1 text. One choice for the whole program, set from the settings at start-up
// and by the options dialog; every TMPEGAudio takes it when it reads a file. The value is held
// atomically, so the import walk's thread may read while the GUI thread sets it.

#include <QString>
#include <QStringList>
#include <cstdint>

namespace orvane {

enum class Id3v2Use : uint8_t {
    WhenNoId3v1 = 0, // only a file without an ID3v1 tag has its ID3v2 tag read
    Prefer = 1,      // the ID3v2 tag's texts win over the ID3v1 tag's where it has them
    Never = 2,       // ID3v1 only
};

// Latin-1, or a Windows code page 1250 to 1258.
inline constexpr int kLatin1CodePage = 0;

struct TagReading {
    Id3v2Use id3v2 = Id3v2Use::WhenNoId3v1;
    int codePage = kLatin1CodePage;
    bool operator==(const TagReading&) const = default;
};

TagReading CurrentTagReading();
void SetTagReading(const TagReading& reading);

// A stored choice as read back: values out of range give the default.
Id3v2Use Id3v2UseFromInt(int value);
int CodePageFromInt(int value);

// The choices as the options dialog lists them, in the order of the enum / kCodePages.
QStringList Id3v2UseCaptions();
inline constexpr int kCodePages[] = {
    kLatin1CodePage, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};
QString CodePageCaption(int codePage);

} // namespace orvane
