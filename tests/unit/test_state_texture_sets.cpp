// Each screen state's picture set: the files it names and the ids they go to.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "render/textures.h"

namespace {

std::set<int> ids_of(int state) {
    std::set<int> ids;
    for (int i = 0; i < state_texture_count(state); ++i) ids.insert(state_texture_id(state, i));
    return ids;
}

}  // namespace

TEST(StateTextureSets, EachStateLoadsItsOwnSetIntoItsIds) {
    EXPECT_EQ(ids_of(-1), (std::set<int>{0, 1, 2}));
    EXPECT_EQ(ids_of(0), (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(ids_of(104), (std::set<int>{0, 1, 2}));
    EXPECT_EQ(ids_of(1), (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(ids_of(101), (std::set<int>{0, 1, 2}));
    EXPECT_EQ(ids_of(103), (std::set<int>{0, 1}));
    EXPECT_EQ(ids_of(102), (std::set<int>{0}));
    EXPECT_EQ(ids_of(2), (std::set<int>{0, 1, 2, 4, 5, 6, 7, 8, 512, 513, 514, 515, 516, 517, 518, 519}));
    EXPECT_EQ(ids_of(3), (std::set<int>{0, 1, 2, 4, 7, 8, 9, 512, 513, 514, 515, 517, 518, 519}));
}

TEST(StateTextureSets, SettingsDigitsGoToIdHundredPlusDigit) {
    int digits = 0;
    for (int i = 0; i < state_texture_count(100); ++i) {
        int id = state_texture_id(100, i);
        if (id < 100) continue;
        EXPECT_EQ(std::string(state_texture_path(100, i)),
                  "./tex/tex_alfa_" + std::to_string(id - 100) + ".tga");
        ++digits;
    }
    EXPECT_EQ(digits, 10);
}

TEST(StateTextureSets, NavSetsDifferInMapAndEnemyPictures) {
    auto path_for = [](int state, int id) -> std::string {
        for (int i = 0; i < state_texture_count(state); ++i)
            if (state_texture_id(state, i) == id) return state_texture_path(state, i);
        return "";
    };
    EXPECT_EQ(path_for(2, 7), "./tex/tex_maps_stage1_1.tga");
    EXPECT_EQ(path_for(3, 7), "./tex/tex_maps_stage1_2.tga");
    EXPECT_EQ(path_for(3, 9), "./tex/tex_ship_gorrak.tga");
    EXPECT_EQ(path_for(0, 0), "./tex/tex_logo_kro.tga");
    EXPECT_EQ(path_for(-1, 0), "./tex/tex_logo_mirel.tga");
    EXPECT_EQ(path_for(100, 4), "./tex/tex_menu_settings_off.tga");
}

TEST(StateTextureSets, OtherStatesLoadNothing) {
    for (int state : {4, 50, 98, 99, 105, -2}) EXPECT_EQ(state_texture_count(state), 0) << state;
    EXPECT_EQ(state_texture_path(0, 8), nullptr);
    EXPECT_EQ(state_texture_id(0, -1), -1);
}
