#include "persist/save_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

constexpr const char* LOCK_SUFFIX = ".lock";
constexpr int LOCK_RETRY_MS = 10;
constexpr mode_t LOCK_FILE_MODE = 0600;
constexpr long NANOSECONDS_PER_MS = 1000000;

// The lock file still has its name: the copy that held it before may have
// removed it (and another made a new one) while this copy waited on the old one.
static bool still_named(int lock, const std::string& path) {
    struct stat held, named;
    return fstat(lock, &held) == 0 && stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

int take_save_lock(const std::string& file) {
    const std::string path = file + LOCK_SUFFIX;
    for (int waited = 0; waited <= SAVE_LOCK_WAIT_MS; waited += LOCK_RETRY_MS) {
        const int lock = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, LOCK_FILE_MODE);
        if (lock < 0) return -1;
        if (flock(lock, LOCK_EX | LOCK_NB) == 0) {
            if (still_named(lock, path)) return lock;
            close(lock);
            continue;
        }
        const int error = errno;
        close(lock);
        if (error != EWOULDBLOCK && error != EINTR) {
            errno = error;
            return -1;
        }
        const struct timespec pause = {0, LOCK_RETRY_MS * NANOSECONDS_PER_MS};
        nanosleep(&pause, nullptr);
    }
    errno = EWOULDBLOCK;
    return -1;
}

void release_save_lock(int lock, const std::string& file) {
    // Removed before it is let go, so no copy ever takes a lock file without a name.
    unlink((file + LOCK_SUFFIX).c_str());
    close(lock);
}
