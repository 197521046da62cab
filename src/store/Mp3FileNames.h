#pragma once
// Which directory entries the walks treat as songs and which folders they enter.

#include <QString>

namespace orvane {

// A non-folder entry is a song candidate when its upper-cased name holds ".MP2", ".MP3" or
// ".MP4" anywhere (so "a.mp3.bak" counts too).
bool IsMp3FileName(const QString& name);

} // namespace orvane
