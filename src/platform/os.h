// Small operating-system services the game needs, kept apart from game code.
#pragma once

// Starts `body` on a new background thread; returns 0 on success.
int os_start_thread(void (*body)());
// Sleeps the calling thread for `ms` milliseconds.
void os_sleep_ms(int ms);

// Run-time shared libraries: handle or nullptr.
void* os_load_library(const char* path);
// Why the last os_load_library that returned nullptr failed, in the system
// loader's words (the file, or a library it needs, that could not be found or
// read); "" before any failure. Called by whoever reports the failure.
const char* os_library_load_error();
void* os_find_symbol(void* library, const char* name);
void os_unload_library(void* library);

// Hides the mouse cursor over the game's window.
void os_hide_cursor();
