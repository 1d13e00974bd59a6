// A test that runs in the game folder, where the engine finds the generated
// pictures under tex/ as it does when played, and goes back where it was.
#pragma once

#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

struct GameFolderTest : testing::Test {
    char previous[4096] = "";
    void SetUp() override {
        ASSERT_EQ(access((std::string(GAME_DIR) + "/tex/tex_hud.tga").c_str(), R_OK), 0)
            << "the game's pictures belong in " << GAME_DIR;
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(GAME_DIR), 0);
    }
    void TearDown() override {
        glDisable(GL_TEXTURE_2D);
        if (previous[0] != '\0') {
            EXPECT_EQ(chdir(previous), 0);
        }
    }
};
