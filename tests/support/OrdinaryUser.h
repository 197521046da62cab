#pragma once
// Lets a test meet file permissions also when it runs as the superuser, as CI does: while an
// AsOrdinaryUser lives, the file accesses of the calling thread are checked as for the user
// "nobody" (Linux keeps the file-system ids per thread, and dropping them from 0 also drops the
// superuser's power to pass over permissions). For an ordinary user it changes nothing.

#include <sys/fsuid.h>
#include <unistd.h>

namespace orvane::test {

class AsOrdinaryUser {
public:
    static constexpr uid_t kNobody = 65534;

    AsOrdinaryUser() {
        if (::geteuid() != 0)
            return;
        ::setfsgid(kNobody);
        ::setfsuid(kNobody);
        dropped_ = true;
    }
    ~AsOrdinaryUser() {
        if (!dropped_)
            return;
        ::setfsuid(0);
        ::setfsgid(0);
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

    // The file system now checks permissions for this thread (an invalid id only reads it back).
    bool Bound() const { return ::geteuid() != 0 || ::setfsuid(uid_t(-1)) == int(kNobody); }

private:
    bool dropped_ = false;
};

} // namespace orvane::test
