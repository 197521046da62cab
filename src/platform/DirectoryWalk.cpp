#include "platform/DirectoryWalk.h"

#include "platform/Paths.h"
#include "platform/TextLines.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <filesystem>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace orvane {

bool IsHiddenName(const QString& name) {
    return name.startsWith(u'.');
}

namespace {

std::function<bool(const QString&)>& ListingFailure() {
    static std::function<bool(const QString&)> fails;
    return fails;
}

bool ListingFailsForTests(const QString& folder) {
    return ListingFailure() && ListingFailure()(folder);
}

enum class EntryKind { Folder, File, Other };

struct Entry {
    QString name;
    QByteArray encoded; // the name as the file system holds it
    EntryKind kind;
};

void SortByName(std::vector<Entry>& entries) {
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const int c = QString::compare(a.name, b.name, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.encoded < b.encoded;
    });
}

#ifndef _WIN32

struct DirCloser {
    void operator()(DIR* dir) const noexcept { closedir(dir); }
};
using UniqueDir = std::unique_ptr<DIR, DirCloser>;

EntryKind KindOf(const struct stat& st) {
    if (S_ISDIR(st.st_mode))
        return EntryKind::Folder;
    if (S_ISREG(st.st_mode))
        return EntryKind::File;
    return EntryKind::Other;
}

class Walker {
public:
    Walker(WalkDepth depth, const WalkVisitor& visitor)
        : depth_(depth)
        , visitor_(visitor) {
        // Counted as entered already: walking them reads kernel state, not songs, and can block.
        for (const char* system : {"/proc", "/sys", "/dev"}) {
            struct stat st = {};
            if (::stat(system, &st) == 0)
                visited_.insert({st.st_dev, st.st_ino});
        }
    }

    // folder and encoded end with a separator.
    bool Walk(const QString& folder, const QByteArray& encoded) {
        if (visitor_.enteringFolder)
            visitor_.enteringFolder(folder);
        std::vector<Entry> entries;
        if (!list(folder, encoded, entries))
            return false;
        SortByName(entries);
        for (const Entry& entry : entries) {
            if (stopped())
                return false;
            if (entry.kind == EntryKind::Folder) {
                if (depth_ == WalkDepth::WholeTree && !IsHiddenName(entry.name)) {
                    if (!Walk(folder + entry.name + kSeparator, encoded + entry.encoded + '/'))
                        return false;
                    if (stopped())
                        return false;
                }
            } else if (entry.kind == EntryKind::File && visitor_.file) {
                visitor_.file(folder, entry.name);
            }
        }
        return true;
    }

private:
    bool stopped() const { return visitor_.stopRequested && visitor_.stopRequested(); }

    // False only when the walk was stopped while listing; a folder that cannot be listed, or was
    // entered before, lists as empty.
    bool list(const QString& folder, const QByteArray& encoded, std::vector<Entry>& entries) {
        const bool injected = ListingFailsForTests(folder);
        const UniqueDir dir(injected ? nullptr : opendir(encoded.constData()));
        if (!dir) {
            if ((injected || errno != ENOENT) && visitor_.unreadableFolder)
                visitor_.unreadableFolder(folder);
            return true;
        }
        const int fd = dirfd(dir.get());
        struct stat self = {};
        if (fstat(fd, &self) != 0 || !visited_.insert({self.st_dev, self.st_ino}).second)
            return true;
        while (const dirent* e = readdir(dir.get())) {
            if (stopped())
                return false;
            const char* name = e->d_name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
                continue;
            EntryKind kind = EntryKind::Other;
            switch (e->d_type) {
            case DT_DIR:
                kind = EntryKind::Folder;
                break;
            case DT_REG:
                kind = EntryKind::File;
                break;
            case DT_LNK:
            case DT_UNKNOWN: {
                struct stat st = {};
                if (fstatat(fd, name, &st, 0) == 0)
                    kind = KindOf(st);
                break;
            }
            default:
                break;
            }
            if (kind == EntryKind::Other)
                continue;
            QByteArray bytes(name);
            QString decoded = QFile::decodeName(bytes);
            // A name that is not valid in the system's encoding has no text that names it again:
            // nothing the program keeps of it would lead back to it.
            if (!IsAscii(bytes) && QFile::encodeName(decoded) != bytes)
                continue;
            entries.push_back({std::move(decoded), std::move(bytes), kind});
        }
        return true;
    }

    WalkDepth depth_;
    const WalkVisitor& visitor_;
    std::set<std::pair<dev_t, ino_t>> visited_;
};

#else

// Windows: the same rules over std::filesystem; folders are told apart by their canonical path.
class Walker {
public:
    Walker(WalkDepth depth, const WalkVisitor& visitor)
        : depth_(depth)
        , visitor_(visitor) {}

    bool Walk(const QString& folder, const QByteArray&) {
        namespace fs = std::filesystem;
        if (visitor_.enteringFolder)
            visitor_.enteringFolder(folder);
        std::error_code error;
        const fs::path path(folder.toStdWString());
        const fs::path canonical = fs::canonical(path, error);
        if (error || !visited_.insert(canonical.wstring()).second)
            return true;
        std::vector<Entry> entries;
        for (fs::directory_iterator it(path, error), end; !error && it != end;
             it.increment(error)) {
            if (stopped())
                return false;
            const fs::file_status status = it->status(error);
            if (error)
                continue;
            const EntryKind kind = fs::is_directory(status)      ? EntryKind::Folder
                                   : fs::is_regular_file(status) ? EntryKind::File
                                                                 : EntryKind::Other;
            if (kind != EntryKind::Other)
                entries.push_back(
                    {QString::fromStdWString(it->path().filename().wstring()), {}, kind});
        }
        SortByName(entries);
        for (const Entry& entry : entries) {
            if (stopped())
                return false;
            if (entry.kind == EntryKind::Folder) {
                if (depth_ == WalkDepth::WholeTree && !IsHiddenName(entry.name)) {
                    if (!Walk(folder + entry.name + kSeparator, {}) || stopped())
                        return false;
                }
            } else if (visitor_.file) {
                visitor_.file(folder, entry.name);
            }
        }
        return true;
    }

private:
    bool stopped() const { return visitor_.stopRequested && visitor_.stopRequested(); }

    WalkDepth depth_;
    const WalkVisitor& visitor_;
    std::set<std::wstring> visited_;
};

#endif

} // namespace

void SetFolderListingFailureForTests(std::function<bool(const QString& folder)> fails) {
    ListingFailure() = std::move(fails);
}

bool CanListFolder(const QString& folder) {
    const QString path = WithTrailingSeparator(folder.isEmpty() ? QDir::rootPath() : folder);
    if (ListingFailsForTests(path))
        return false;
#ifdef _WIN32
    std::error_code error;
    std::filesystem::directory_iterator it(std::filesystem::path(path.toStdWString()), error);
    return !error;
#else
    return UniqueDir(opendir(QFile::encodeName(path).constData())) != nullptr;
#endif
}

bool WalkFolders(const QString& root, WalkDepth depth, const WalkVisitor& visitor) {
    const QString folder = WithTrailingSeparator(root.isEmpty() ? QDir::rootPath() : root);
    Walker walker(depth, visitor);
    return walker.Walk(folder, QFile::encodeName(folder));
}

} // namespace orvane
