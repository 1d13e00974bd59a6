/* Preloaded into the engine by the pacing benchmarks: after every buffer swap
 * it appends a line to the file named by KORVANE_FRAME_LOG: the monotonic time
 * and the processor time of the whole process (every thread), both in
 * microseconds. An engine build that exports `screen_state` and
 * `player_destroyed` (the bench-only korvane_at_nav2 does) also gets both logged
 * on the same line, so a benchmark can tell which frames were stage play. The
 * engine itself knows nothing of the probe.
 *
 * The time is taken once the swap returns: the frame has then been handed to
 * the X server, so the first line is the moment the first picture exists. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

void glutSwapBuffers(void) {
    static void (*real_swap)(void);
    static FILE* log;
    static const int* screen_state;
    static const int* player_destroyed;
    if (!real_swap) {
        real_swap = (void (*)(void))dlsym(RTLD_NEXT, "glutSwapBuffers");
        screen_state = (const int*)dlsym(RTLD_DEFAULT, "screen_state");
        player_destroyed = (const int*)dlsym(RTLD_DEFAULT, "player_destroyed");
        const char* path = getenv("KORVANE_FRAME_LOG");
        if (path) log = fopen(path, "w");
    }
    real_swap();
    if (log) {
        struct timespec now, used;
        clock_gettime(CLOCK_MONOTONIC, &now);
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
        long long now_us = (long long)now.tv_sec * 1000000LL + now.tv_nsec / 1000;
        long long used_us = (long long)used.tv_sec * 1000000LL + used.tv_nsec / 1000;
        if (screen_state && player_destroyed)
            fprintf(log, "%lld %lld %d %d\n", now_us, used_us, *screen_state, *player_destroyed);
        else
            fprintf(log, "%lld %lld\n", now_us, used_us);
        fflush(log);
    }
}
