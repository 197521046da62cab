#pragma once
// Which directory entries the walks treat as songs and which folders they enter.

#include <QString>

namespace orvane {

// A non-folder entry is a song candidate when its upper-cased name holds ".MP2", ".MP3" or
// ".MP4" anywhere (so "a.mp3.bak" counts too), unless it is a scratch file of the program.
bool IsMp3FileName(const QString& name);

// The files the program writes beside songs and renames into place once they are whole; a
// killed program may leave them behind, and they are never songs: the hidden copy of a tag save
// (".<song>.orvane-tag"), the hidden part file of a move (".<song>.part-XXXXXX") and the
// scratch file of a WAV export ("<name>.wav.part").
bool IsScratchFileName(const QString& name);

} // namespace orvane
