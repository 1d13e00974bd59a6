// A gamepad's buttons on every screen, the controls picture a pad player sees,
// and a whole game played by pad alone.
#include <memory>

#include "app/quit_requests.h"
#include "app/startup.h"
#include "combat/damage.h"
#include "input/screen_keys.h"
#include "platform/os.h"
#include "render/textures.h"
#include "unit/test_wiimote_support.h"
#include "platform/random.h"
#include "virtual_pad.h"

using namespace stage_test;
using B = SDL_GameControllerButton;

TEST(GamepadButtons, WalkFromTheIntroThroughTheMenusIntoNav1) {
    reset_game();
    screen_state = STATE_LOGO_INTRO;
    selected_ship = 0;
    VirtualPad pad("Test Pad");
    pad.tap(SDL_CONTROLLER_BUTTON_A);
    pad.tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(menu_cursor, 2);
    // The stick moves a cursor once per push: a nudge does nothing, and a push
    // held or eased back short of the centre does not repeat.
    const double pushes[][2] = {{-0.4, 2}, {-0.6, 3}, {-0.9, 3}, {-0.3, 3}, {0, 3}, {0.6, 2}, {0, 2}};
    for (const auto& push : pushes) {
        pad.stick(0, push[0]);
        poll_gamepads();
        EXPECT_EQ(menu_cursor, push[1]) << "stick at " << push[0];
    }
    const B walk[] = {SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
                      SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_A};
    for (B button : walk) pad.tap(button);
    ASSERT_EQ(screen_state, STATE_SHIP_SELECT);
    EXPECT_EQ(selected_ship, 1);
    pad.tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(screen_state, STATE_NAV1);
    pad_frame();
    EXPECT_EQ(player.hull_max, ship_table[1].hull_max);  // NAV 1 was set up
}

TEST(GamepadButtons, ScreensWithOnlyAWayBackAndTheQuitPrompt) {
    const int cases[][3] = {
        {STATE_CREDITS, SDL_CONTROLLER_BUTTON_START, STATE_MAIN_MENU},
        {STATE_HIGH_SCORES, SDL_CONTROLLER_BUTTON_A, STATE_MAIN_MENU},
        {STATE_CONTROLS, SDL_CONTROLLER_BUTTON_A, STATE_CONTROLS},
        {STATE_CONTROLS, SDL_CONTROLLER_BUTTON_B, STATE_SETTINGS},
        {STATE_QUIT_OVERLAY, SDL_CONTROLLER_BUTTON_A, STATE_QUIT_OVERLAY},  // fire never leaves the game
        {STATE_QUIT_OVERLAY, SDL_CONTROLLER_BUTTON_B, STATE_NAV2},
        {STATE_QUIT_OVERLAY, SDL_CONTROLLER_BUTTON_START, STATE_NAV2},
        {STATE_QUIT_OVERLAY, SDL_CONTROLLER_BUTTON_BACK, STATE_MAIN_MENU},
        {STATE_NAV2, SDL_CONTROLLER_BUTTON_START, STATE_QUIT_OVERLAY},
    };
    VirtualPad pad("Test Pad");
    for (const auto& c : cases) {
        screen_state = c[0];
        paused_state = STATE_NAV2;
        pad.tap(static_cast<B>(c[1]));
        EXPECT_EQ(screen_state, c[2]) << "state " << c[0] << ", button " << c[1];
    }
}

TEST(GamepadButtons, StageButtonsActOnlyWhenNewlyDownAndRumbleFollowsTheHull) {
    clear_world();
    place_player(0.4, 0.1);
    VirtualPad pad("Test Pad");
    pad.set(SDL_CONTROLLER_BUTTON_A, true);
    for (int frame = 0; frame < 5; ++frame) pad_frame();
    const int volley = active_shots(player_shots);
    EXPECT_GT(volley, 0);
    pad.set(SDL_CONTROLLER_BUTTON_A, false);
    poll_gamepads();
    pad.tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(active_shots(player_shots), 2 * volley);
    pad.tap(SDL_CONTROLLER_BUTTON_X);
    pad.tap(SDL_CONTROLLER_BUTTON_Y);
    EXPECT_EQ(gun_mode, GUN_MODE_LASER_ION);

    player.shield[SIDE_REAR] = 50;
    damage_player(SIDE_REAR, HIT_ENEMY_SHOT);
    EXPECT_EQ(pad.rumble, 0) << "a holding shield takes the hit quietly";
    player.shield[SIDE_REAR] = 0;
    damage_player(SIDE_REAR, HIT_ENEMY_SHOT);
    EXPECT_EQ(pad.rumble, 32768);
    // Each pulse stops at its end though nothing reads the pad (a hidden window).
    run_toolkit_ms(RUMBLE_HULL_HIT_MS + 50);
    EXPECT_EQ(pad.rumble, 0);
    damage_player(SIDE_REAR, HIT_ENEMY_SHOT);
    player.hull = 0;
    pad_frame();
    EXPECT_EQ(pad.rumble, 65535);
    run_toolkit_ms(RUMBLE_HULL_HIT_MS + 50);
    EXPECT_EQ(pad.rumble, 65535) << "the hit's pulse ends, not the longer one started since";
    pad.tap(SDL_CONTROLLER_BUTTON_A);  // a lost game starts again
    EXPECT_EQ(screen_state, STATE_NAV1);
    EXPECT_EQ(player_destroyed, 0);
}

TEST(GamepadButtons, QuittingStopsThePadsMotors) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    static VirtualPad* pad = new VirtualPad("Test Pad");  // read by an exit handler, which captures nothing
    gamepad_rumble_destroyed();
    EXPECT_EXIT((atexit([] { fprintf(stderr, "motors at %d\n", pad->rumble); }), chdir("/proc"), quit_game()),
                testing::ExitedWithCode(0), "motors at 0\n") << "the quit saves nothing in /proc";
    delete pad;
}

// Skip the intro, choose a Brantor, ram NAV 1's rocks with the stick firing
// now and then until the fighter is lost and the score is in the table.
TEST(GamepadButtons, APadPlaysAWholeGameFromTheIntroToTheHighScoreTable) {
    reset_high_scores();
    profile_name = "pad pilot";
    reset_game();
    screen_state = STATE_LOGO_INTRO;
    selected_ship = 0;
    set_rand15_source(nullptr);
    seed_rand15(7);
    VirtualPad pad("Test Pad");
    for (B button : {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_DPAD_LEFT,
                     SDL_CONTROLLER_BUTTON_A}) {
        pad.tap(button);
        display_callback();
    }
    ASSERT_EQ(screen_state, STATE_NAV1);
    bool lost = false;
    for (int frame = 0; frame < 20000 && screen_state == STATE_NAV1; ++frame) {
        double target = player.x, lowest = 2.0;
        for (const Enemy& rock : enemies)
            if (rock.active && rock.y > player.y && rock.y < lowest) lowest = rock.y, target = rock.x;
        pad.stick(target < player.x - 0.01 ? -1 : (target > player.x + 0.01 ? 1 : 0), 0);
        pad.set(SDL_CONTROLLER_BUTTON_A, frame % 10 < 5 && player_destroyed == 0);
        pad_frame();
        lost = lost || player_destroyed == 1;
    }
    EXPECT_TRUE(lost);
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_GT(high_scores[0].score, 0);
    EXPECT_STREQ(high_scores[0].name, "pad pilot");
    EXPECT_EQ(high_scores[0].ship, 2);
}

TEST(GamepadButtons, TheControlsScreenShowsThePadsLayoutOnlyToAPadPlayerWithoutARemote) {
    using Loads = std::vector<std::pair<int, std::string>>;
    static Loads loads;
    texture_file_watcher = [](const char* path, int id) { loads.emplace_back(id, path); };
    ScratchDir dir;  // holds the scripted remote library while it is connected
    const auto loaded_set = [&](int state) {
        std::filesystem::current_path(GAME_DIR);
        loads.clear();
        load_state_textures(state);
        std::filesystem::current_path(dir.path());
        return loads;
    };
    const Loads with_remote = {{0, "./tex/tex_logo_kro.tga"}, {1, "./tex/tex_menu_keys_wii.tga"}, {2, "./tex/tex_menu_keys.tga"}};
    Loads with_pad = with_remote;
    with_pad[1].second = PAD_LAYOUT_PICTURE;
    EXPECT_EQ(loaded_set(STATE_CONTROLS), with_remote) << "neither pad nor remote";
    auto pad = std::make_unique<VirtualPad>("Test Pad");
    EXPECT_EQ(loaded_set(STATE_CONTROLS), with_pad) << "a pad alone";
    EXPECT_EQ(loaded_set(STATE_HIGH_SCORES), (Loads{{0, "./tex/tex_logo_kro.tga"}, {1, "./tex/tex_menu_scores.tga"}}));

    remote_test::install_library(remote_test::SCRIPTED);
    dir.write("wiiuse_script.txt", "");
    testing::internal::CaptureStdout();
    ASSERT_EQ(connect_wiimote(), 0) << testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(os_start_thread(poll_thread), 0);
    for (int i = 0; i < 200 && !wiimote_polling(); ++i) os_sleep_ms(5);
    EXPECT_EQ(loaded_set(STATE_CONTROLS), with_remote) << "a pad and a remote";
    pad.reset();
    EXPECT_EQ(loaded_set(STATE_CONTROLS), with_remote) << "a remote alone";
    wiimote_disconnect_and_unload();
    texture_file_watcher = nullptr;
}
