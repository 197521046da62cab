#include "exchange/PlainTextReport.h"

#include "platform/AsciiCase.h"
#include "platform/TextLines.h"

#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <algorithm>
#include <vector>

namespace orvane {

namespace {

struct GroupingText {
    const char* entry;
    const char* information;
    const char* reportLine;
    const char* heading;
};
constexpr GroupingText kGroupings[kGroupingCount] = {
    {"Simple dump, no sorting",
     "All files are read in normal file order. Best used for fast creation of all information.",
     "Simple dump, no sorting.", ""},
    {"Group output on Artist",
     "All information is sorted in alphabeticall order according to the Artist tag.",
     "Grouped by Artist", "ARTIST : "},
    {"Group output on Album",
     "All information is sorted in alphabeticall order according to the Album tag.",
     "Grouped by Album", "ALBUM : "},
    {"Group output on Genre",
     "All information is sorted in alphabeticall order according to the Genre tag.",
     "Grouped by Genre", "GENRE : "}};

struct DetailText {
    const char* entry;
    const char* information;
};
constexpr DetailText kDetails[kDetailLevelCount] = {
    {"Basic information", "Only display the title,artist, and album information."},
    {"Detailed information", "Display title,artist,album, duration."},
    {"All information", "Display all information except for comments."}};

struct Column {
    QString SongRecord::*field;
    int end; // the position the next column starts at; 0: written whole, the last
};
const std::vector<Column> kColumns[kDetailLevelCount] = {
    {{&SongRecord::Title, 36}, {&SongRecord::Artist, 69}, {&SongRecord::Album, 81}},
    {{&SongRecord::Title, 29},
     {&SongRecord::Artist, 59},
     {&SongRecord::Album, 84},
     {&SongRecord::Duration, 0}},
    {{&SongRecord::Title, 35},
     {&SongRecord::Artist, 65},
     {&SongRecord::Album, 90},
     {&SongRecord::Duration, 100},
     {&SongRecord::Year, 110},
     {&SongRecord::Genre, 0}}};

const QString kSeparator(80, u'-');
const QString kTitle = QStringLiteral("Orvane MP3 export");
const QString kAddress = QStringLiteral("https://www.brimtove.example/orvane/");

SongField GroupField(ReportGrouping grouping) {
    switch (grouping) {
    case ReportGrouping::Artist:
        return SongField::Artist;
    case ReportGrouping::Album:
        return SongField::Album;
    default:
        return SongField::Genre;
    }
}

// A line break inside a value would break the report's layout; a NUL ends text for some readers.
void BlankControls(QString& text) {
    for (QChar& c : text)
        if (c == QChar(0) || c == u'\r' || c == u'\n')
            c = u' ';
}

QString Latin(const char* text) {
    return QString::fromLatin1(text);
}

} // namespace

QString GroupingEntry(ReportGrouping grouping) {
    return Latin(kGroupings[int(grouping)].entry);
}
QString GroupingInformation(ReportGrouping grouping) {
    return Latin(kGroupings[int(grouping)].information);
}
QString GroupingReportLine(ReportGrouping grouping) {
    return Latin(kGroupings[int(grouping)].reportLine);
}
QString DetailEntry(DetailLevel level) {
    return Latin(kDetails[int(level)].entry);
}
QString DetailInformation(DetailLevel level) {
    return Latin(kDetails[int(level)].information);
}

QString FormatSongLine(const SongRecord& song, DetailLevel level) {
    QString line;
    line.reserve(128);
    for (const Column& column : kColumns[int(level)]) {
        line += song.*column.field;
        if (column.end == 0)
            break;
        if (line.size() > column.end - 1) {
            // Never half a character from outside the basic plane: the column gets a blank more.
            const bool splitsPair = line.at(column.end - 5).isLowSurrogate();
            line.truncate(column.end - 5 - (splitsPair ? 1 : 0));
            line += QStringLiteral("...");
        }
        line = line.leftJustified(column.end, u' ');
    }
    BlankControls(line);
    return line;
}

QStringList BuildExportSummary(const QString& groupingEntry, const QString& detailEntry,
                               const QString& fileName) {
    const QString indent(6, u' ');
    return {QStringLiteral("Summary for export:"),
            QString(),
            QStringLiteral("  Type of export : "),
            indent + groupingEntry,
            QString(),
            QStringLiteral("  Information to export : "),
            indent + detailEntry,
            QString(),
            QStringLiteral("  Filename for export:"),
            indent + fileName};
}

bool GroupKeyBefore(const QString& upperA, const QString& upperB) {
    const int order = QString::localeAwareCompare(upperA, upperB);
    return order != 0 ? order < 0 : upperA < upperB;
}

PlainTextReport BuildPlainTextReport(const CollectionList& songs, ReportGrouping grouping,
                                     DetailLevel level, const QString& dateText) {
    PlainTextReport report;
    report.checked = qsizetype(songs.size());
    QByteArray& out = report.text;
    out.reserve(qsizetype(songs.size()) * 120 + 1024);
    AppendLine(out, kTitle.leftJustified(80, u' ') + u'(' + kAddress + u')');
    AppendLine(out, QStringLiteral("Export date: ") + dateText);
    AppendLine(out, GroupingReportLine(grouping));
    AppendLine(out, kSeparator);

    if (grouping == ReportGrouping::SimpleDump) {
        for (const SongRecord& song : songs)
            AppendLine(out, FormatSongLine(song, level));
        report.songs = report.checked;
        return report;
    }

    // One pass: each new value (upper-cased) opens a group under its first spelling.
    struct Group {
        QString key;
        QString upper;
        std::vector<qsizetype> members;
    };
    std::vector<Group> groups;
    QHash<QString, qsizetype> groupOf;
    const SongField field = GroupField(grouping);
    for (qsizetype i = 0; i < songs.size(); ++i) {
        const QString& value = songs.Value(i, field);
        if (value.isEmpty())
            continue;
        QString upper = AsciiUpper(value);
        auto it = groupOf.constFind(upper);
        if (it == groupOf.constEnd()) {
            it = groupOf.insert(upper, qsizetype(groups.size()));
            groups.push_back({value, std::move(upper), {}});
        }
        groups[size_t(it.value())].members.push_back(i);
    }
    std::sort(groups.begin(), groups.end(),
              [](const Group& a, const Group& b) { return GroupKeyBefore(a.upper, b.upper); });

    const QString heading = Latin(kGroupings[int(grouping)].heading);
    for (const Group& group : groups) {
        QString title = heading + group.key;
        BlankControls(title);
        AppendLine(out, title);
        AppendLine(out, kSeparator);
        for (qsizetype i : group.members)
            AppendLine(out, FormatSongLine(songs[i], level));
        AppendLine(out, kSeparator);
        report.songs += qsizetype(group.members.size());
    }
    report.groups = qsizetype(groups.size());
    return report;
}

QString ExportDateText() {
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    return locale.toString(now.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(now.time(), QLocale::LongFormat);
}

QStringList CannotCreateLines(const QString& target, const QString& reason) {
    return {QStringLiteral("Report :"),
            QString(),
            QStringLiteral("  Error creating output file."),
            QStringLiteral("     Make sure the location you write to is not"),
            QStringLiteral("     a read only location, and the file does not yet"),
            QStringLiteral("     exist as a readonly file."),
            QString(),
            QStringLiteral("     ") + target,
            QStringLiteral("     ") + reason};
}

QString WriteFailedText(const QString& target, const QString& reason) {
    return QStringLiteral("Error writing the export file\n") + target + u'\n' + reason +
           QStringLiteral("\nThe file was not changed.");
}

PlainTextExport WritePlainTextReport(const QString& target, const CollectionList& songs,
                                     ReportGrouping grouping, DetailLevel level,
                                     const QString& dateText) {
    PlainTextExport result;
    const PlainTextReport report = BuildPlainTextReport(songs, grouping, level, dateText);
    switch (WriteFileAtomically(target, report.text, &result.reason)) {
    case WriteResult::CannotCreate:
        result.outcome = ExportOutcome::CannotCreate;
        result.summary = CannotCreateLines(target, result.reason);
        return result;
    case WriteResult::CannotReplace:
        result.outcome = ExportOutcome::WriteFailed;
        return result;
    case WriteResult::Written:
        break;
    }
    result.outcome = ExportOutcome::Written;
    result.summary = {QStringLiteral("Report :"), QString(), QStringLiteral("  File generated"),
                      QString()};
    const QString indent = QStringLiteral("     ");
    if (grouping == ReportGrouping::SimpleDump) {
        result.summary << indent + QStringLiteral("Songs exported : ") +
                              QString::number(report.songs);
    } else {
        const QString what = grouping == ReportGrouping::Artist  ? QStringLiteral("Artists")
                             : grouping == ReportGrouping::Album ? QStringLiteral("Albums")
                                                                 : QStringLiteral("Genres");
        result.summary << indent + what + QStringLiteral(" exported : ") +
                              QString::number(report.groups)
                       << indent + QStringLiteral("Songs checked : ") +
                              QString::number(report.checked);
    }
    return result;
}

} // namespace orvane
