// The TGA reader: which files become pictures, and what their pixels become.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "render/textures.h"
#include "support/gl_pixels.h"
#include "support/scratch_dir.h"

namespace {

TgaPicture read_file(const char* path) {
    TgaPicture picture;
    FILE* f = fopen(path, "rb");
    EXPECT_NE(f, nullptr);
    picture.width = -1;
    if (f) {
        read_tga(f, &picture);
        fclose(f);
    }
    return picture;
}

bool accepted(const char* path) { return read_file(path).width > 0; }

std::vector<unsigned char> pattern(size_t bytes) {
    std::vector<unsigned char> p(bytes);
    for (size_t i = 0; i < bytes; ++i) p[i] = static_cast<unsigned char>(i * 7 + 1);
    return p;
}

}  // namespace

TEST(TgaReader, AcceptsEveryDepthOfBothUncompressedTypes) {
    ScratchDir dir;
    for (int type : {2, 3}) {
        for (int depth : {8, 24, 32}) {
            SCOPED_TRACE(testing::Message() << "type " << type << " depth " << depth);
            auto px = pattern(4 * 2 * depth / 8);
            write_tga("t.tga", 4, 2, depth, px.data(), type);
            TgaPicture p = read_file("t.tga");
            EXPECT_EQ(p.width, 4) << "type " << type << " depth " << depth;
            EXPECT_EQ(p.height, 2);
            EXPECT_EQ(p.depth, depth);
            EXPECT_EQ(p.pixels.size(), px.size());
        }
    }
}

TEST(TgaReader, SwapsBlueAndRedForColourDepthsAndKeepsMasks) {
    ScratchDir dir;
    const unsigned char bgra[] = {10, 20, 30, 40, 50, 60, 70, 80, 1, 2, 3, 4, 5, 6, 7, 8};
    write_tga("c32.tga", 2, 2, 32, bgra);
    EXPECT_EQ(read_file("c32.tga").pixels,
              (std::vector<unsigned char>{30, 20, 10, 40, 70, 60, 50, 80, 3, 2, 1, 4, 7, 6, 5, 8}));

    const unsigned char bgr[] = {10, 20, 30, 40, 50, 60, 1, 2, 3, 4, 5, 6};
    write_tga("c24.tga", 2, 2, 24, bgr);
    EXPECT_EQ(read_file("c24.tga").pixels,
              (std::vector<unsigned char>{30, 20, 10, 60, 50, 40, 3, 2, 1, 6, 5, 4}));

    const unsigned char mask[] = {0, 64, 128, 255};
    write_tga("m8.tga", 2, 2, 8, mask);
    EXPECT_EQ(read_file("m8.tga").pixels, (std::vector<unsigned char>{0, 64, 128, 255}));
}

TEST(TgaReader, RefusesColourMapsCompressionAndOddTypes) {
    ScratchDir dir;
    auto px = pattern(4 * 4 * 4);
    write_tga("cmap.tga", 4, 4, 32, px.data(), 2, 1);
    EXPECT_FALSE(accepted("cmap.tga"));
    for (int type : {0, 1, 9, 10, 11}) {
        write_tga("type.tga", 4, 4, 32, px.data(), type);
        EXPECT_FALSE(accepted("type.tga")) << "image type " << type;
    }
}

TEST(TgaReader, AcceptsOnlyPowerOfTwoSidesFrom2To512) {
    ScratchDir dir;
    auto px = pattern(1024 * 1024 * 1);
    write_tga("512x2.tga", 512, 2, 8, px.data());
    EXPECT_TRUE(accepted("512x2.tga"));
    write_tga("2x512.tga", 2, 512, 8, px.data());
    EXPECT_TRUE(accepted("2x512.tga"));
    write_tga("1x1.tga", 1, 1, 8, px.data());
    EXPECT_FALSE(accepted("1x1.tga"));
    write_tga("1024.tga", 1024, 1024, 8, px.data());
    EXPECT_FALSE(accepted("1024.tga"));
    write_tga("6x8.tga", 6, 8, 8, px.data());
    EXPECT_FALSE(accepted("6x8.tga"));
    write_tga("0x8.tga", 0, 8, 8, px.data());
    EXPECT_FALSE(accepted("0x8.tga"));
}

TEST(TgaReader, RefusesOtherDepths) {
    ScratchDir dir;
    auto px = pattern(4 * 4 * 4);
    for (int depth : {0, 1, 15, 16, 31, 48, 255}) {
        write_tga("d.tga", 4, 4, depth, nullptr);
        FILE* f = fopen("d.tga", "ab");
        fwrite(px.data(), 1, px.size(), f);
        fclose(f);
        EXPECT_FALSE(accepted("d.tga")) << "depth " << depth;
    }
}

TEST(TgaReader, RefusesFilesShorterThanPromised) {
    ScratchDir dir;
    auto px = pattern(8 * 8 * 4);
    write_tga("full.tga", 8, 8, 32, px.data());
    std::string full = dir.read("full.tga");
    ASSERT_EQ(full.size(), 18u + 256u);

    dir.write("short.tga", full.substr(0, full.size() - 1));  // one pixel byte missing
    EXPECT_FALSE(accepted("short.tga"));
    dir.write("header.tga", full.substr(0, 18));  // header only
    EXPECT_FALSE(accepted("header.tga"));
    for (size_t size : {0u, 1u, 3u, 12u, 17u}) {  // under the 18-byte header
        dir.write("tiny.tga", full.substr(0, size));
        EXPECT_FALSE(accepted("tiny.tga")) << size << " bytes";
    }
}

TEST(TgaReader, TakesIdFieldBytesAsTheFirstPixels) {
    ScratchDir dir;
    const unsigned char masks[] = {1, 2, 3, 4};
    write_tga("id.tga", 2, 2, 8, masks);
    std::string file = dir.read("id.tga");
    file[0] = 2;                       // an ID field of two bytes...
    file.insert(18, "\x50\x60", 2);  // ...placed before the pixels
    dir.write("id.tga", file);
    EXPECT_EQ(read_file("id.tga").pixels, (std::vector<unsigned char>{0x50, 0x60, 1, 2}));
}

TEST(TgaReader, ExtraBytesAfterThePixelsAreIgnored) {
    ScratchDir dir;
    const unsigned char masks[] = {9, 8, 7, 6};
    write_tga("tail.tga", 2, 2, 8, masks);
    dir.write("tail.tga", dir.read("tail.tga") + std::string(100, '\xFF'));
    EXPECT_EQ(read_file("tail.tga").pixels, (std::vector<unsigned char>{9, 8, 7, 6}));
}
