#include "platform/os.h"

#include <GL/freeglut.h>
#include <dlfcn.h>
#include <pthread.h>
#include <time.h>

#include <cstdio>

static void* run_thread_body(void* body) {
    reinterpret_cast<void (*)()>(body)();
    return nullptr;
}

int os_start_thread(void (*body)()) {
    pthread_t thread;
    if (pthread_create(&thread, nullptr, run_thread_body, reinterpret_cast<void*>(body)) != 0) return -1;
    pthread_detach(thread);  // lives until the process ends; never joined
    return 0;
}

void os_sleep_ms(int ms) {
    if (ms <= 0) return;
    timespec wait{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0) {
    }
}

// The loader's own words are gone with the next dlerror() call, so they are
// kept here for whoever reports the failure.
static char library_load_error[512] = "";

void* os_load_library(const char* path) {
    if (!path) return nullptr;
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();
        snprintf(library_load_error, sizeof library_load_error, "%s", reason ? reason : "unknown reason");
    }
    return library;
}

const char* os_library_load_error() { return library_load_error; }

void* os_find_symbol(void* library, const char* name) { return library ? dlsym(library, name) : nullptr; }

void os_unload_library(void* library) {
    if (library) dlclose(library);
}

void os_hide_cursor() { glutSetCursor(GLUT_CURSOR_NONE); }
