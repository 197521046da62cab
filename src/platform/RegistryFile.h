#pragma once
// The registry kept as one file in the registry editor's export format, so that a user can read
// it and a Windows user can import it:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\software\brimtove\orvane\posflags]
//   "SelectX"=dword:0000000a
//   "MP3Base"="/home/me/Music"
//
// Texts are quoted with "\\" and "\"" escapes; a text holding a line break or another control
// character is written as hex(1): (its UTF-16LE bytes), as the registry editor does for texts it
// cannot quote. Every key is written, also one without values, in creation order. The file is
// written as UTF-8 with CRLF; files exported by the registry editor (UTF-16LE with a byte order
// mark, or REGEDIT4) are read too. Deletion lines ("[-key]", "\"name\"=-") are applied on
// reading, as an import would.

#include "platform/MemoryRegistry.h"

#include <QByteArray>
#include <QByteArrayView>

namespace orvane {

inline constexpr char kRegistryHeader[] = "Windows Registry Editor Version 5.00";

struct RegistryParse {
    bool recognised = false; // the header line was found
    int badLines = 0;        // lines that could not be read and were skipped
};
// Adds what data holds to the tree under root (whose children are the hives).
RegistryParse ParseRegistryExport(QByteArrayView data, RegistryKeyNode& root);
QByteArray WriteRegistryExport(const RegistryKeyNode& root);

class RegistryFile : public MemoryRegistry {
public:
    // Reads the file when it is there; a missing file is an empty registry.
    explicit RegistryFile(QString path);

    // Writes the whole tree to a temporary file renamed over the old one, creating the folder
    // when needed, and only when something changed. A file that had lines which could not be
    // read is first kept as registry.reg.bak. A file that exists but could not be read is never
    // replaced: Flush then fails.
    bool Flush() override;

    const QString& Path() const { return path_; }
    // The file was there but not read whole (unreadable, or lines skipped).
    bool HadProblems() const { return unreadable_ || damaged_; }

private:
    QString path_;
    QByteArray onDisk_;
    bool unreadable_ = false;
    bool damaged_ = false;
};

} // namespace orvane
