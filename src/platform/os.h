// Small operating-system services the game needs, kept apart from game code.
#pragma once

// Starts `body` on a new background thread; returns 0 on success.
int os_start_thread(void (*body)());
// Sleeps the calling thread for `ms` milliseconds.
void os_sleep_ms(int ms);

// Run-time shared libraries: handle or nullptr.
void* os_load_library(const char* path);
void* os_find_symbol(void* library, const char* name);
void os_unload_library(void* library);

// Hides the mouse cursor over the game's window.
void os_hide_cursor();
