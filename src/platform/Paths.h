#pragma once
// Path texts as the program uses them: folders carry a trailing separator, and a file's folder
// and name are split at the last separator. The separator is '/' here; '\' is accepted on
// reading so that texts written on Windows still split.

#include <QString>

namespace orvane {

inline constexpr QChar kSeparator = u'/';

// The program folder (the working files), with trailing separator: ORVANE_HOME when set; the
// executable's folder when it holds a file "portable" (a portable copy, or a build folder made
// by scripts/run); else brimtove/orvane/ in the user's data folder ($XDG_DATA_HOME,
// ~/.local/share by default). Working files found beside an executable without the marker are
// left where they are.
QString ProgramFolder();
// The same rules over given values (dataHome: the user's data folder).
QString ProgramFolderFor(const QString& home, const QString& executableFolder,
                         const QString& dataHome);

// A file or folder shipped with the program ("html/orvane_startpage.htm"), read-only and never
// copied into the program folder: beside the executable (a build folder or a portable copy), else
// in the executable's ../share/orvane/ (installed). When it is in neither place, the program
// folder's path, so that a message about it names a sensible place.
QString ShippedData(const QString& programFolder, const QString& relative);
// The lookup of ShippedData from a given executable folder; empty when not found.
QString ShippedDataIn(const QString& executableFolder, const QString& relative);

QString WithTrailingSeparator(const QString& folder);
bool HasTrailingSeparator(const QString& folder);

// "d/e/f.mp3" -> "f.mp3"; a text without separator is returned whole.
QString FileNamePart(const QString& path);
// "d/e/f.mp3" -> "d/e/" (trailing separator kept); a text without separator gives "".
QString FolderPart(const QString& path);

} // namespace orvane
