#pragma once
// Changing a song file that carries an ID3v2 tag: the change is made to a copy beside the file,
// which is then renamed over it, so that a failure at any step (a full disk, a tag TagLib cannot
// save) leaves the song as it was. An ID3v2 tag that grows moves the audio, which an in-place
// write could leave half done.
//
// Data logic: QtCore only, any thread (one file at a time).

#include <QString>
#include <functional>

namespace orvane {

// Copies the file at path to a hidden file beside it, runs edit on the copy (0 on success, else
// an error number), flushes the copy to disk and renames it over path. Returns 0, or the error of
// the step that failed, in which case the copy is removed and path is untouched.
int EditThroughCopy(const QString& path, const std::function<int(const QString& copy)>& edit);

// The bytes after the leading ID3v2 tag (all of them when there is none) are the same in both
// files: a rewritten tag left the audio and whatever follows it whole. A copy is checked this
// way before it replaces a song, whatever TagLib reported.
bool SameBytesAfterId3v2(const QString& a, const QString& b);

// Writes the texts into the ID3v2 tag of copy, a copy of the song original, and checks that the
// audio came through whole; 0 or an error number.
struct Id3v2Texts;
int WriteId3v2IntoCopy(const QString& original, const QString& copy, const Id3v2Texts& texts);

} // namespace orvane
