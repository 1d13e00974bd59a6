// Large short-lived blocks must not leave the heap holding their memory: after
// a big block is freed, a middling one still gets its own mapping, which goes
// back to the system when freed.
#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>

#include "app/startup.h"

#if defined(__SANITIZE_ADDRESS__)
#define KORVANE_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define KORVANE_OWN_ALLOCATOR 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define KORVANE_OWN_ALLOCATOR 1
#endif

// Exits 0 when the middling block was mapped and its memory went back, else
// says what went wrong and exits 1.
static void check_middling_block_is_mapped() {
    const auto fail = [](const char* why) {
        fputs(why, stderr);
        _exit(1);
    };
    mallopt(M_MMAP_THRESHOLD, 8 << 20);  // as high as glibc may have raised it before the call
    keep_heap_trimmed();
    constexpr size_t BIG = 4 << 20, MIDDLING = 512 << 10;
    void* big = malloc(BIG);
    if (big == nullptr) fail("out of memory\n");
    free(big);  // left to itself, glibc would now keep blocks up to 4 MB in the heap
    const size_t mapped_before = mallinfo2().hblkhd;
    void* middling = malloc(MIDDLING);
    if (middling == nullptr) fail("out of memory\n");
    if (mallinfo2().hblkhd < mapped_before + MIDDLING) fail("a middling block came from the heap\n");
    free(middling);
    if (mallinfo2().hblkhd != mapped_before) fail("its memory did not go back to the system\n");
    _exit(0);
}

TEST(HeapTrim, AFreedBigBlockDoesNotRaiseWhatTheHeapKeeps) {
#ifdef KORVANE_OWN_ALLOCATOR
    GTEST_SKIP() << "a sanitizer's allocator stands in for glibc's, whose thresholds this is about";
#endif
    // The tests before this one leave tens of megabytes of free blocks in the
    // heap, any of which can hold the middling block whatever the thresholds:
    // a freshly started copy of this program has the game's small heap.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(check_middling_block_is_mapped(), testing::ExitedWithCode(0), "");
}
