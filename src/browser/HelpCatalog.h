#pragma once
// The help pages' table: the Contents tree, the Index keywords and the page of each window.
// Read from the file "orvane.help" in the help folder, a text file of three sections:
//
//   [contents]            one topic a line: "Caption<TAB>page.htm", two blanks of indent per level
//   [index]               one keyword a line: "keyword<TAB>page.htm#anchor"
//   [windows]             one window a line: "TfrmTag<TAB>page.htm" (the window's class name)
//
// Lines that are empty or start with '#' are skipped. No widgets; any thread.

#include <QList>
#include <QString>

namespace orvane {

struct HelpTopic {
    QString Caption;
    QString Page; // relative to the help folder, anchor allowed
    int Level = 0;
};

struct HelpCatalog {
    QList<HelpTopic> Contents; // in file order; Level says how deep each sits
    QList<HelpTopic> Index;    // sorted without regard to case
    QList<HelpTopic> Windows;  // Caption is the window's class name

    // The page of a window class ("orvane::TfrmTag" or "TfrmTag"); the first topic's page when
    // the window has none of its own, empty when the catalog is empty.
    QString PageFor(const QString& windowClass) const;
};

// Reads the catalog from file; false (and an empty catalog) when it cannot be read.
bool ReadHelpCatalog(const QString& file, HelpCatalog& catalog);

} // namespace orvane
