#pragma once
// The collection file for other people: the own cache file local.orv as last written, with the
// folder of every song replaced by "IMPORT:\" and the exporting user's contact text. Another
// installation loads it from its lib folder like any imported collection; its player shows the
// contact text instead of playing such a song.
//
// The copy works on the bytes of the cache file: the header, every line without a folder value
// and every value but the folder are written exactly as read, so a file written by an older
// version (Latin-1 lines) keeps its characters.
//
// Data logic: QtCore only.

#include "exchange/PlainTextReport.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace orvane {

// Why a contact text cannot be written into the file's lines (it holds the value separator
// "[;]" or a line break), or empty when it can.
QString ContactTextProblem(const QString& contact);

// The exported file's bytes from the cache file's bytes. A song line (nine "[;]" or more) whose
// folder value is not empty gets "IMPORT:\" + contact as its folder, in the line's own encoding
// (UTF-8, or Latin-1 for an older line when the contact text fits it); every other line is
// copied as it is. Lines end in CRLF.
QByteArray ExportedCollectionData(QByteArrayView cacheFile, const QString& contact);

struct CollectionFileExport {
    ExportOutcome outcome = ExportOutcome::Refused;
    QString reason;     // the system's reason, or why the export was refused
    QStringList report; // the wizard's last page after the attempt
};
// Reads cacheFile whole, then writes the exported data to target through a temporary file
// renamed over it: a failure leaves an existing target whole and no partial file behind. A
// contact text with a problem, or a target that is the cache file itself, is refused.
CollectionFileExport WriteCollectionFile(const QString& cacheFile, const QString& target,
                                         const QString& contact);

} // namespace orvane
