/* Start-up timing: writes the monotonic time, in microseconds, to OUT_FILE and
 * then replaces itself with the program, so the time is taken right before the
 * program's own exec. The frame probe's first line, on the same clock, is the
 * first picture; the difference is the start-up time.
 *
 *   exec_clock OUT_FILE PROGRAM [ARGUMENT ...] */
#include <stdio.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: %s OUT_FILE PROGRAM [ARGUMENT ...]\n", argv[0]);
        return 2;
    }
    FILE* out = fopen(argv[1], "w");
    if (!out) {
        perror(argv[1]);
        return 1;
    }
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    fprintf(out, "%lld\n", (long long)now.tv_sec * 1000000LL + now.tv_nsec / 1000);
    fclose(out);
    execv(argv[2], argv + 2);
    perror(argv[2]);
    return 1;
}
