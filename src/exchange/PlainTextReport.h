#pragma once
// The plain-text report of the collection: every song of the collection list (the own and the
// imported collections, whatever the filters hide), as a simple dump in list order or grouped
// by artist, album or genre, in fixed-width columns at one of three levels of detail.
//
// A group key is the first spelling met of a grouping value (values compared upper-cased);
// keys are listed in locale-aware order, and each group lists its songs in collection order.
// Songs with an empty grouping value belong to no group. Building a grouped report is one pass
// to collect and group, one sort of the keys and one pass to write.
//
// Data logic: QtCore only, GUI thread (it reads the collection list).

#include "store/CollectionList.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <span>

namespace orvane {

enum class ReportGrouping { SimpleDump, Artist, Album, Genre };
enum class DetailLevel { Basic, Detailed, All };

inline constexpr int kGroupingCount = 4;
inline constexpr int kDetailLevelCount = 3;

// The wizard's list entry and information text, and the line the report's head gives it.
QString GroupingEntry(ReportGrouping grouping);
QString GroupingInformation(ReportGrouping grouping);
QString GroupingReportLine(ReportGrouping grouping);
QString DetailEntry(DetailLevel level);
QString DetailInformation(DetailLevel level);

// One song in fixed columns. Each padded column starts at a fixed position; a value too long
// for its column is cut and ends in "..." followed by two blanks (three where the cut would
// halve a character from outside the basic plane). The last value of the two longer levels
// (Duration, Genre) is written whole. NUL, CR and LF become blanks.
QString FormatSongLine(const SongRecord& song, DetailLevel level);

// The wizard's last page before the export: the choices and the file, as shown.
QStringList BuildExportSummary(const QString& groupingEntry, const QString& detailEntry,
                               const QString& fileName);

// The order of group keys, given upper-cased: locale-aware, ties in code-point order.
bool GroupKeyBefore(const QString& upperA, const QString& upperB);

struct PlainTextReport {
    QByteArray text;       // UTF-8, CRLF line ends
    qsizetype groups = 0;  // groups written (grouped reports)
    qsizetype songs = 0;   // song lines written
    qsizetype checked = 0; // songs of the collection list
};
// The whole report; dateText is the export date as the head shows it.
PlainTextReport BuildPlainTextReport(const CollectionList& songs, ReportGrouping grouping,
                                     DetailLevel level, const QString& dateText);

// The current local date and time as the head of a report shows it.
QString ExportDateText();

enum class ExportOutcome { Written, CannotRead, CannotCreate, WriteFailed, Refused };

struct PlainTextExport {
    ExportOutcome outcome = ExportOutcome::Refused;
    QString reason;      // the system's reason for a failure
    QStringList summary; // the wizard's last page after the attempt
};
// Writes the report to target through a temporary file beside it that is renamed over it at
// the end: on a failure an existing target is left whole and no partial file stays behind.
PlainTextExport WritePlainTextReport(const QString& target, const CollectionList& songs,
                                     ReportGrouping grouping, DetailLevel level,
                                     const QString& dateText);

// The lines the wizard's last page gets when the target cannot be created.
QStringList CannotCreateLines(const QString& target, const QString& reason);
// The message shown when writing the target failed part-way.
QString WriteFailedText(const QString& target, const QString& reason);

} // namespace orvane
