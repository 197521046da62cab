#pragma once
// One owner for a C stdio handle: closed when the owner goes.

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

} // namespace orvane
