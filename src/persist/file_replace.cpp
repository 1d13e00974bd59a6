#include "persist/file_replace.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

// What the game writes is the player's own (their profiles and scores): no
// other user may read it. A file an earlier version left readable to all is
// tightened too, since each save replaces it.
constexpr mode_t PLAYER_FILE_MODE = 0600;

// The system's own limit on links followed in one path name: beyond it the
// links go round in a circle.
constexpr int MOST_LINKS_FOLLOWED = 40;

static bool write_all(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written == 0) errno = EIO;  // no progress and no reason given
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

std::string link_target(const char* path) {
    std::string file = path;
    std::vector<char> link(PATH_MAX);
    for (int followed = 0; followed < MOST_LINKS_FOLLOWED; ++followed) {
        struct stat about;
        if (lstat(file.c_str(), &about) != 0 || !S_ISLNK(about.st_mode)) return file;
        const ssize_t length = readlink(file.c_str(), link.data(), link.size());
        if (length <= 0 || static_cast<size_t>(length) >= link.size()) return path;
        const std::string points_to(link.data(), static_cast<size_t>(length));
        // A relative link is read from the folder the link sits in.
        const bool from_here = points_to[0] == '/' || file.find('/') == std::string::npos;
        file = from_here ? points_to : folder_of(file) + "/" + points_to;
    }
    return path;  // a circle of links: the save replaces the link itself, as a plain file
}

int replace_file(const char* path, const char* data, size_t size) {
    const std::string target = link_target(path);
    // Same folder as the target, so the rename is a single atomic step.
    std::string temporary = target + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0) return errno;

    int error = 0;
    if (fchmod(fd, PLAYER_FILE_MODE) != 0 || !write_all(fd, data, size) || fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        return error;
    }
    sync_folder(folder_of(target));
    return 0;
}
