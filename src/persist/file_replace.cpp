#include "persist/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

// What the game writes is the player's own (their profiles and scores): no
// other user may read it. A file an earlier version left readable to all is
// tightened too, since each save replaces it.
constexpr mode_t PLAYER_FILE_MODE = 0600;

static bool write_all(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// The folder holding `path`, so the rename itself can be made durable.
static std::string folder_of(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

static void sync_folder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;  // the rename happened; only its durability is less certain
    fsync(fd);
    close(fd);
}

bool replace_file(const char* path, const char* data, size_t size) {
    // Same folder as the target, so the rename is a single atomic step.
    std::string temporary = std::string(path) + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0) return false;

    bool ok = fchmod(fd, PLAYER_FILE_MODE) == 0 && write_all(fd, data, size) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), path) == 0;
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    sync_folder(folder_of(path));
    return true;
}
