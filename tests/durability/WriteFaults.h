#pragma once
// Faults injected into the file writes of this process, for the crash and full-disk tests.
// Linking WriteFaults.cpp into a test program puts its own write, pwrite, sendfile,
// copy_file_range, fwrite, fsync, fdatasync, rename, renameat, renameat2, linkat and unlink in
// front of the C library's, so that every writer of the program is reached the same way,
// whether it writes through QFile (and its copy), QSaveFile, libsndfile, TagLib's stdio or a
// plain descriptor. Only writes to regular files count; pipes, terminals and
// event descriptors pass untouched.
//
// The writer's run is measured in steps: one per byte written to a regular file, one per
// fsync, fdatasync, rename, link or unlink. Not thread-safe to arm while writers run.
//
// While armed, it also notes which files hold bytes not yet flushed to disk, and counts the
// renames that put such a file in place.

#include <cstdint>

namespace orvane::test {

enum class WriteFault {
    Off,       // pass everything through
    Count,     // pass everything through and count the steps
    Kill,      // SIGKILL the process when the budget is used up: a write gets the bytes that fit
    NoSpace,   // writes past the budget fail with ENOSPC, after a short write of what fits;
               // as on a real full disk, only bytes past a file's end need space
    SyncFails, // the fsync and fdatasync calls after the first budget ones fail with EIO (a
               // disk that lost the data); the steps count those calls, the rest passes
};

void ArmWriteFault(WriteFault fault, int64_t budget = 0);
int64_t WriteFaultSteps(); // steps taken since the last ArmWriteFault
// Of which bytes written to regular files past their end: those a full disk refuses (a header
// rewritten in place when the file is finished is not among them).
int64_t WriteFaultBytes();
// Renames since the last ArmWriteFault of a file that held bytes not yet flushed to disk: a
// power cut after such a rename can leave the new name on an empty or partial file.
int64_t WriteFaultUnflushedRenames();

} // namespace orvane::test
