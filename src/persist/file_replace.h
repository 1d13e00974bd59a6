// Writing a file so that it is never seen half-written.
#pragma once

#include <cstddef>

// Writes `size` bytes into a new file beside `path`, flushes it to the disk and
// renames it over `path`, so a crash, a kill or a full disk leaves either the
// old file or the new one. The new file is readable and writable by its owner
// only, whatever the old one's mode was. On any failure the old file stays as it was and the
// new one is removed. Returns true once `path` holds the new content.
// Called by save_settings.
bool replace_file(const char* path, const char* data, size_t size);
