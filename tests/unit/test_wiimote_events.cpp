// Remote reports from the scripted library through the queue to the game:
// printed notices, tilt steering and buttons acting as keys.
#include <cctype>
#include <cstring>
#include <string>

#include "combat/guns.h"
#include "input/keys.h"
#include "input/screen_keys.h"
#include "test_wiimote_support.h"

using namespace remote_test;

namespace {

using RemoteEvents = ConnectedRemote;

int active_player_shots() {
    int active = 0;
    for (const Projectile& shot : player_shots) active += shot.active;
    return active;
}

// A fighter in NAV 1 with plenty of gun energy and no shots in flight.
void ready_to_fire() {
    memset(player_shots, 0, sizeof player_shots);
    player.x = 0.4;
    player.y = 0.1;
    player.width = player.height = 48;
    player.gun_energy_max = 1000;
    player.gun_energy = 1000;
    player_destroyed = 0;
    nav_completed = 0;
    gun_mode = GUN_MODE_LASER;
    screen_state = STATE_NAV1;
}

}  // namespace

TEST_F(RemoteEvents, StatusAndDisconnectPrintOnTheGamesThreadAndTheKeyboardTakesOver) {
    connect("status 0.5\nstatus 0.999\ndisconnect\nbuttons TWO\n");
    testing::internal::CaptureStdout();
    wiimote_poll_once();
    wiimote_poll_once();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "nothing prints before the game applies it";
    EXPECT_EQ(queued_remote_notices(), 2);
    EXPECT_EQ(poll_and_apply(0), "Battery status: 50 %\nBattery status: 99 %\n");

    tilt_active = 1;
    tilt_pitch = 0;  // a level remote: tilt steering would leave the keys no speed
    EXPECT_EQ(poll_and_apply(), "\n\n--- DISCONNECTED [wiimote id 1] ---\n");
    EXPECT_EQ(tilt_active, 0) << "the keyboard steers at its own speed again";

    poll_and_apply(3);
    EXPECT_EQ(queued_remote_notices(), 0) << "a gone remote reports nothing more";
    EXPECT_FALSE(log_has(dir, "script done")) << "the buttons after the disconnect never came";
}

TEST_F(RemoteEvents, TiltCountsOnlyWithMotionSensingOnAndInAStage) {
    connect("tilt pitch=-10.7 roll=3.2\n"
            "tilt pitch=-10.7 roll=3.2\n"
            "tilt pitch=30 roll=-4\n"
            "tilt pitch=0 roll=-0.9\n");
    screen_state = STATE_NAV1;
    poll_and_apply();  // motion sensing is off after connecting
    EXPECT_EQ(tilt_active, 0);
    EXPECT_EQ(tilt_pitch, 0);

    wiimote_motion_sensing(1);
    poll_and_apply();
    EXPECT_EQ(tilt_active, 1);
    EXPECT_EQ(tilt_pitch, -10) << "truncated toward zero";
    EXPECT_EQ(tilt_roll, 3);

    screen_state = STATE_MAIN_MENU;  // below the stage states tilt is ignored
    poll_and_apply();
    EXPECT_EQ(tilt_pitch, -10);

    screen_state = STATE_NAV2;
    poll_and_apply();
    EXPECT_EQ(tilt_pitch, 0);
    EXPECT_EQ(tilt_roll, 0) << "-0.9 truncates to 0";
    EXPECT_EQ(log_lines(dir).back(), "motion 1");
}

TEST_F(RemoteEvents, DisconnectStopsTheSteeringTheTiltCausedAndOnlyThat) {
    // Steps before the remote goes: t a tilt to the left and up; o the same
    // tilt while the quit overlay is up (the handlers ignore it); L R U D an
    // arrow key pressed, l r u d released; P Q another device (a pad) steering
    // right or down.
    struct Row {
        const char* steps;
        int steer_x, steer_y;
    };
    const int NONE = HELD_NONE, LEFT = HELD_LEFT, RIGHT = HELD_RIGHT, DOWN = HELD_DOWN;
    const Row ROWS[] = {
        {"t", NONE, NONE},    {"tR", RIGHT, NONE}, {"tL", LEFT, NONE} /* the key the tilt had too */,
        {"tD", NONE, DOWN},   {"tDd", NONE, NONE}, {"Rtr", NONE, NONE} /* a key held before the tilt let go */,
        {"LD", LEFT, DOWN},   {"Lo", LEFT, NONE} /* an ignored tilt takes nothing over */,
        {"RDt", RIGHT, DOWN} /* keys still held take their axes back */, {"LRt", RIGHT, NONE} /* the latest of two */,
        {"tP", RIGHT, NONE},  {"tQ", NONE, DOWN} /* an axis another device steers since keeps steering */,
    };
    const std::string KEYS = "LRUD";
    const int ARROWS[] = {SPECIAL_LEFT, SPECIAL_RIGHT, SPECIAL_UP, SPECIAL_DOWN};
    for (const Row& row : ROWS) {
        SCOPED_TRACE(row.steps);
        for (int arrow : ARROWS) special_up_callback(arrow, 0, 0);  // no key held from before
        DeviceSteering other_device;
        std::string script;
        for (const char* step = row.steps; *step; ++step)
            if (*step == 't' || *step == 'o') script += "tilt pitch=-20 roll=10\n";
        connect(script + "disconnect\n");
        wiimote_motion_sensing(1);
        screen_state = STATE_NAV1;
        for (const char* step = row.steps; *step; ++step) {
            if (*step == 'P' || *step == 'Q') {
                device_key_down(&other_device, *step == 'P' ? GAME_KEY_RIGHT : GAME_KEY_DOWN);
                continue;
            }
            size_t arrow = KEYS.find(static_cast<char>(toupper(*step)));
            if (arrow != std::string::npos) {
                (isupper(*step) ? special_callback : special_up_callback)(ARROWS[arrow], 0, 0);
                continue;
            }
            screen_state = *step == 'o' ? STATE_QUIT_OVERLAY : STATE_NAV1;
            poll_and_apply();
            screen_state = STATE_NAV1;
        }
        poll_and_apply();
        EXPECT_EQ(steer_x, row.steer_x);
        EXPECT_EQ(steer_y, row.steer_y);
        EXPECT_EQ(tilt_active, 0);
        release_device_steering(&other_device);
        wiimote_disconnect_and_unload();
    }
}

TEST_F(RemoteEvents, TiltSteersByTheSignOfEachAngle) {
    connect("tilt pitch=-10.7 roll=3.2\ntilt pitch=0 roll=-0.9\ntilt pitch=25 roll=40\n");
    wiimote_motion_sensing(1);
    screen_state = STATE_NAV1;
    poll_and_apply();
    EXPECT_EQ(steer_x, HELD_LEFT) << "left";
    EXPECT_EQ(steer_y, HELD_UP) << "up";

    poll_and_apply();
    EXPECT_EQ(steer_x, HELD_RIGHT) << "a pitch of exactly 0 counts as right";
    EXPECT_EQ(steer_y, HELD_DOWN) << "down";

    // In the quit overlay the steering keys do nothing, so tilt moves nothing.
    screen_state = STATE_QUIT_OVERLAY;
    steer_x = HELD_NONE;
    steer_y = HELD_NONE;
    poll_and_apply();
    EXPECT_EQ(screen_state, STATE_QUIT_OVERLAY);
    EXPECT_EQ(steer_x, HELD_NONE);
    EXPECT_EQ(steer_y, HELD_NONE);
}

TEST_F(RemoteEvents, MenuTwoPressedWhileOneIsHeldSendsEnterThenEsc) {
    connect("buttons ONE\nbuttons ONE TWO\n");
    screen_state = STATE_MAIN_MENU;
    menu_cursor = 1;
    poll_and_apply();
    EXPECT_EQ(screen_state, STATE_MAIN_MENU) << "Esc does nothing in the main menu";
    // Enter opens the ship select, then Esc (acting on the ship select) returns.
    // The other order would leave the ship select open.
    poll_and_apply();
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
}

TEST_F(RemoteEvents, ChoosingAShipStartsTheGameWithMotionSensingOn) {
    connect("buttons TWO\nbuttons\nbuttons HOME ONE\n");
    screen_state = STATE_SHIP_SELECT;
    poll_and_apply();
    EXPECT_EQ(screen_state, STATE_NAV1);
    EXPECT_EQ(log_lines(dir).back(), "motion 1");

    // The stage table is chosen when the event starts: Home opens the quit
    // overlay and One, sent as G to the overlay, changes no gun.
    poll_and_apply();
    int guns = gun_mode;
    poll_and_apply();
    EXPECT_EQ(screen_state, STATE_QUIT_OVERLAY);
    EXPECT_EQ(gun_mode, guns);
}

TEST_F(RemoteEvents, HoldingTwoInAStageFiresOneVolley) {
    ready_to_fire();
    fire_guns();
    int volley = active_player_shots();
    ASSERT_GT(volley, 0);

    connect("buttons TWO\nbuttons TWO\nbuttons TWO\nbuttons\nbuttons TWO\n");
    ready_to_fire();
    poll_and_apply(3);  // pressed, then held through two more reports
    EXPECT_EQ(active_player_shots(), volley);
    poll_and_apply(2);  // released and pressed again
    EXPECT_EQ(active_player_shots(), 2 * volley);
}

TEST(RemoteQueue, AFullQueueDropsTheOldestNotices) {
    discard_remote_notices();
    int dropped_before = remote_notices_dropped();
    for (int id = 0; id < REMOTE_QUEUE_CAPACITY + 6; ++id) {
        RemoteNotice notice{};
        notice.kind = REMOTE_DISCONNECT;
        notice.remote_id = id;
        queue_remote_notice(notice);
    }
    EXPECT_EQ(queued_remote_notices(), REMOTE_QUEUE_CAPACITY);
    EXPECT_EQ(remote_notices_dropped() - dropped_before, 6);

    testing::internal::CaptureStdout();
    apply_remote_events();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("\n\n--- DISCONNECTED [wiimote id 6] ---\n", 0), 0u) << out.substr(0, 80);
    EXPECT_NE(out.find("[wiimote id 1029] ---\n"), std::string::npos);
    EXPECT_EQ(queued_remote_notices(), 0);
}
