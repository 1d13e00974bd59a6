// Which picture each texture id holds once a screen's first frame has run, read
// from the generated game folder: the order of loading and every id's file.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "render/textures.h"
#include "test_stage_support.h"

using namespace stage_test;

namespace {

using Loads = std::vector<std::pair<int, std::string>>;
Loads loads;
void saw_load(const char* path, int id) {
    const std::string file(path);
    loads.emplace_back(id, file.substr(file.rfind('/') + 1));
}

struct TextureFileTest : StageTest {
    std::filesystem::path was = std::filesystem::current_path();
    void SetUp() override {
        StageTest::SetUp();
        stage_view = game_view;  // a stage's pictures are the view's to load
        std::filesystem::current_path(GAME_DIR);
        loads.clear();
        texture_file_watcher = saw_load;
    }
    void TearDown() override {
        texture_file_watcher = nullptr;
        std::filesystem::current_path(was);
        StageTest::TearDown();
    }
};

Loads settings_set() {
    Loads set = {{0, "tex_logo_kro.tga"},
                 {1, "tex_pointer.tga"},
                 {2, "tex_menu_settings_sound.tga"},
                 {3, "tex_menu_settings_music.tga"},
                 {4, "tex_menu_settings_off.tga"},
                 {5, "tex_menu_settings_on.tga"},
                 {7, "tex_menu_settings_sound_volume.tga"},
                 {8, "tex_menu_settings_music_volume.tga"},
                 {9, "tex_menu_settings_video.tga"},
                 {10, "tex_menu_settings_windowed.tga"},
                 {11, "tex_menu_settings_full_screen.tga"},
                 {12, "tex_menu_settings_restart.tga"},
                 {13, "tex_menu_settings_controls.tga"}};
    for (int digit = 0; digit <= 9; ++digit) set.emplace_back(100 + digit, "tex_alfa_" + std::to_string(digit) + ".tga");
    return set;
}

const Loads STAGE_SHOTS_AND_MESSAGES = {{517, "tex_gun_laser.tga"}, {518, "tex_gun_ion.tga"}, {519, "tex_gun_neutron.tga"}};

Loads nav1_set() {
    Loads set = {{0, "tex_ship_pilvet.tga"},   {1, "tex_ship_vesker.tga"},  {2, "tex_ship_brantor.tga"},
                 {4, "tex_back_rock1.tga"},    {5, "tex_back_rock2.tga"},   {6, "tex_back_rock3.tga"},
                 {7, "tex_maps_stage1_1.tga"}, {8, "tex_ship_shield.tga"}};
    set.insert(set.end(), STAGE_SHOTS_AND_MESSAGES.begin(), STAGE_SHOTS_AND_MESSAGES.end());
    set.insert(set.end(), {{516, "tex_text_message_stage1.tga"},
                           {515, "tex_text_message_nav_complete.tga"},
                           {514, "tex_text_message_game_over.tga"},
                           {513, "tex_hud.tga"},
                           {512, "tex_text_message_quit.tga"}});
    return set;
}

Loads nav2_set() {
    Loads set = {{0, "tex_ship_pilvet.tga"}, {1, "tex_ship_vesker.tga"},  {2, "tex_ship_brantor.tga"},
                 {4, "tex_back_rock1.tga"},  {7, "tex_maps_stage1_2.tga"}, {8, "tex_ship_shield.tga"},
                 {9, "tex_ship_gorrak.tga"}};
    set.insert(set.end(), STAGE_SHOTS_AND_MESSAGES.begin(), STAGE_SHOTS_AND_MESSAGES.end());
    set.insert(set.end(), {{515, "tex_text_message_nav_complete.tga"},
                           {514, "tex_text_message_game_over.tga"},
                           {513, "tex_hud.tga"},
                           {512, "tex_text_message_quit.tga"}});
    return set;
}

}  // namespace

TEST_F(TextureFileTest, EachScreensFirstFrameFillsItsIdsWithItsOwnFilesInOrder) {
    struct Case {
        int state;
        Loads files;
    } cases[] = {
        {STATE_MAIN_MENU,
         {{0, "tex_logo_kro.tga"},
          {1, "tex_pointer.tga"},
          {2, "tex_menu_main1.tga"},
          {3, "tex_menu_main2.tga"},
          {4, "tex_menu_main3.tga"},
          {5, "tex_menu_main4.tga"},
          {6, "tex_menu_main5.tga"},
          {7, "tex_menu_main6.tga"}}},
        {STATE_SETTINGS, settings_set()},
        {STATE_CONTROLS, {{0, "tex_logo_kro.tga"}, {1, "tex_menu_keys_wii.tga"}, {2, "tex_menu_keys.tga"}}},
        {STATE_SHIP_SELECT,
         {{0, "tex_ship_pilvet_big.tga"},
          {1, "tex_ship_vesker_big.tga"},
          {2, "tex_ship_brantor_big.tga"},
          {3, "tex_text_select_ship.tga"},
          {4, "tex_text_ship_pilvet.tga"},
          {5, "tex_text_ship_vesker.tga"},
          {6, "tex_text_ship_brantor.tga"}}},
        {STATE_STAGE_SELECT, {{0, "tex_logo_kro.tga"}, {1, "tex_pointer.tga"}, {2, "tex_text_message_stage1.tga"}}},
        {STATE_HIGH_SCORES, {{0, "tex_logo_kro.tga"}, {1, "tex_menu_scores.tga"}}},
        {STATE_CREDITS, {{0, "tex_logo_mirel.tga"}}},
        {STATE_NAV1, nav1_set()},
        {STATE_NAV2, nav2_set()},
        {STATE_QUIT_OVERLAY, {}},
    };
    for (const Case& c : cases) {
        clear_world();
        screen_state = c.state;
        textures_loaded = 0;
        music_started = 1;
        loads.clear();
        display_callback();
        EXPECT_EQ(loads, c.files) << "state " << c.state;
        loads.clear();
        display_callback();
        EXPECT_EQ(loads, Loads{}) << "state " << c.state << " loads only on its first frame";
    }
}

TEST_F(TextureFileTest, TheIntroSetIsLoadedAtStartUp) {
    load_state_textures(STATE_LOGO_INTRO);
    EXPECT_EQ(loads, (Loads{{0, "tex_logo_mirel.tga"}, {1, "tex_logo_gl.tga"}, {2, "tex_logo_fmod.tga"}}));
}
