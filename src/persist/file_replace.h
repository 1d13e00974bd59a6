// Writing a file so that it is never seen half-written.
#pragma once

#include <cstddef>
#include <string>

// The file `path` names once symbolic links are followed, or `path` itself
// when it is no link. A player's dotfile manager may keep settings.cfg as a
// link into a repository: the file to replace, and to lock beside, is the one
// at the end. That file need not exist yet.
// Called by replace_file and by save_settings.
std::string link_target(const char* path);

// Writes `size` bytes into a new file beside the file `path` names (through
// links, which stay links), flushes it to the disk and renames it over that
// file, so a crash, a kill or a full disk leaves either the old file or the new
// one. The new file is readable and writable by its owner only, whatever the
// old one's mode was. Returns 0 once the file holds the new content; otherwise
// the errno of the step that failed, the old file as it was and the new one
// removed. Called by save_settings and the replay store.
int replace_file(const char* path, const char* data, size_t size);
