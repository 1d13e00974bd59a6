/* Preloaded into the engine by the pacing benchmark: appends the monotonic time
 * of every buffer swap, in microseconds, to the file named by
 * KORVANE_FRAME_LOG, then swaps as usual. The engine itself knows nothing of it. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

void glutSwapBuffers(void) {
    static void (*real_swap)(void);
    static FILE* log;
    if (!real_swap) {
        real_swap = (void (*)(void))dlsym(RTLD_NEXT, "glutSwapBuffers");
        const char* path = getenv("KORVANE_FRAME_LOG");
        if (path) log = fopen(path, "w");
    }
    if (log) {
        struct timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        fprintf(log, "%lld\n", (long long)now.tv_sec * 1000000LL + now.tv_nsec / 1000);
        fflush(log);
    }
    real_swap();
}
