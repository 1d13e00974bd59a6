// Large short-lived blocks must not leave the heap holding their memory: after
// a big block is freed, a middling one still gets its own mapping, which goes
// back to the system when freed.
#include <gtest/gtest.h>
#include <malloc.h>

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

TEST(HeapTrim, AFreedBigBlockDoesNotRaiseWhatTheHeapKeeps) {
#ifdef KORVANE_OWN_ALLOCATOR
    GTEST_SKIP() << "a sanitizer's allocator stands in for glibc's, whose thresholds this is about";
#endif
    mallopt(M_MMAP_THRESHOLD, 8 << 20);  // as high as glibc may have raised it before the call
    keep_heap_trimmed();
    constexpr size_t BIG = 4 << 20, MIDDLING = 512 << 10;
    void* big = malloc(BIG);
    ASSERT_NE(big, nullptr);
    free(big);  // left to itself, glibc would now keep blocks up to 4 MB in the heap
    const size_t mapped_before = mallinfo2().hblkhd;
    void* middling = malloc(MIDDLING);
    ASSERT_NE(middling, nullptr);
    EXPECT_GE(mallinfo2().hblkhd, mapped_before + MIDDLING) << "a middling block came from the heap";
    free(middling);
    EXPECT_EQ(mallinfo2().hblkhd, mapped_before) << "its memory went back to the system";
}
