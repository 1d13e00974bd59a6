// korvane-verify FILE...: flies each replay again through the simulation
// alone, with no window, sound or input device, and prints one line for each:
// verified, refused (why), or parted from its recording (where). Exits 0 only
// when every file verified. --fingerprint prints the fingerprint of this
// build's rules: two builds that print the same one play each other's replays.
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "stage/rules_fingerprint.h"
#include "verify/verify_replay.h"

int main(int argc, char** argv) {
    if (argc == 2 && strcmp(argv[1], "--fingerprint") == 0) {
        printf("%016" PRIx64 "\n", rules_fingerprint());
        return 0;
    }
    if (argc < 2) {
        fprintf(stderr, "usage: korvane-verify FILE...   (or --fingerprint)\n");
        return 2;
    }
    bool all_verified = true;
    for (int i = 1; i < argc; ++i) {
        bool verified = false;
        printf("%s\n", verify_replay_file(argv[i], &verified).c_str());
        all_verified = all_verified && verified;
    }
    return all_verified ? 0 : 1;
}
