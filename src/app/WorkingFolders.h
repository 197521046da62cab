#pragma once
// The working files and folders in the program folder (see ProgramFolder): local.orv,
// favourites.orv, the ini files, recycle/, logs/ and lib/.

#include "platform/Prompts.h"

#include <QString>

namespace orvane {

struct WorkingFolders {
    QString Program; // with trailing separator; the base of every working file
    QString Recycle; // removed songs (no trailing separator)
    QString Logs;    // the daily new-songs logs
    QString Lib;     // imported collections

    static WorkingFolders At(const QString& programFolder);
    QString LocalCache() const { return Program + QStringLiteral("local.orv"); }
};

// Makes sure the recycle and logs folders exist, creating them when missing; a folder that can
// be neither found nor created is reported, and the start-up goes on without it.
void PrepareWorkingFolders(const WorkingFolders& folders, Prompts& prompts);

} // namespace orvane
