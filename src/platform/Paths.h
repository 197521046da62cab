#pragma once
// Path texts as the program uses them: folders carry a trailing separator, and a file's folder
// and name are split at the last separator. The separator is '/' here; '\' is accepted on
// reading so that texts written on Windows still split.

#include <QString>

namespace orvane {

inline constexpr QChar kSeparator = u'/';

// The program folder, with trailing separator: ORVANE_HOME when set, else the executable's folder.
QString ProgramFolder();

// A file or folder shipped with the program ("html/orvane_startpage.htm"): in the program folder
// when it is there, else beside the executable, else in the executable's ../share/orvane/; the
// program folder's path when it is nowhere.
QString ShippedData(const QString& programFolder, const QString& relative);

QString WithTrailingSeparator(const QString& folder);
bool HasTrailingSeparator(const QString& folder);

// "d/e/f.mp3" -> "f.mp3"; a text without separator is returned whole.
QString FileNamePart(const QString& path);
// "d/e/f.mp3" -> "d/e/" (trailing separator kept); a text without separator gives "".
QString FolderPart(const QString& path);

} // namespace orvane
