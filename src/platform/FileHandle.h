#pragma once
// One owner for a C stdio handle: closed when the owner goes. And the flush of a finished file
// to disk, before a rename puts it in place.

#include <QString>
#include <cstdio>
#include <memory>

namespace orvane {

struct FileCloser {
    void operator()(std::FILE* f) const noexcept { std::fclose(f); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// fopen with the file system's encoding of path; errno tells why when the result is empty.
UniqueFile OpenFile(const QString& path, const char* mode);

// Makes the bytes written to the file at path durable (fsync), so that a rename of it over
// another file cannot leave an empty or partial file under that name after a power cut.
// 0, or the error number (EIO when the disk lost what was written).
int FlushFileToDisk(const QString& path);
// The same for a file open as descriptor fd.
int FlushDescriptorToDisk(int fd);

} // namespace orvane
