// The soak's random player: a seeded player who presses keys on every screen,
// starts games and plays them (steering, firing, switching guns, sound, music
// and star keys, pauses), loses some, flies others through both NAVs and quits
// others through the overlay. Shared by the soak and the run digest, so both
// play the same game from the same seed.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <cmath>
#include <map>
#include <random>

#include "app/game_values.h"
#include "app/gl_setup.h"
#include "app/screen_state.h"
#include "app/startup.h"
#include "audio/sound.h"
#include "combat/guns.h"
#include "input/keys.h"
#include "input/screen_keys.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "platform/random.h"
#include "platform/sound_library.h"
#include "stage/world.h"
#include "support/program_start.h"

// What the run saw.
struct Tally {
    std::map<int, long> frames_in_state;
    std::map<int, double> seconds_in_state;  // display_callback's time, by the state it began in
    long games_started = 0;
    long losses = 0;              // the fighter destroyed
    long death_sequences_run_out = 0;
    long restarts_after_loss = 0;  // Enter on a destroyed fighter
    long nav1_completed = 0;       // NAV 1's fly-out led into NAV 2
    long nav2_completed = 0;       // NAV 2's fly-out ended the game
    long overlay_quits = 0;        // Y in the quit overlay
    long overlay_resumes = 0;      // N in the quit overlay
    long table_changes = 0;        // a game's score entered the table
    long quit_item_enters_skipped = 0;
    long keys = 0;
};

// How a game is to be played, chosen when it starts.
enum class Plan { Lose, Win, Quit };

// Steering keys per axis: the key for direction 1 and for direction 2.
const int AXIS_KEYS[2][2] = {{SPECIAL_LEFT, SPECIAL_RIGHT}, {SPECIAL_UP, SPECIAL_DOWN}};

class SoakPlayer {
  public:
    SoakPlayer(Tally& tally, unsigned seed) : rng_(seed), tally_(tally) {}

    // Presses this frame's keys, if any.
    void act() {
        const int state = screen_state;
        if (state != last_state_) enter_state(state);
        ++frames_here_;
        if (state == STATE_LOGO_INTRO) intro();
        else if (state == STATE_MAIN_MENU) main_menu();
        else if (state == STATE_SETTINGS) settings_menu();
        else if (state == STATE_CONTROLS) { if (chance(0.1)) key(KEY_ESC); }
        else if (state == STATE_STAGE_SELECT) stage_select();
        else if (state == STATE_HIGH_SCORES) { if (chance(0.05)) key(KEY_ESC); }
        else if (state == STATE_CREDITS) { if (chance(0.01)) key(KEY_ESC); }
        else if (state == STATE_SHIP_SELECT) ship_select();
        else if (in_stage_range(state)) stage();
        else if (state == STATE_QUIT_OVERLAY) quit_overlay();
        if (chance(0.004)) stray_key();
    }

  private:
    std::mt19937 rng_;
    Tally& tally_;
    int last_state_ = -2;
    long frames_here_ = 0;
    int menu_target_ = 1;
    int settings_target_ = 1;
    Plan plan_ = Plan::Lose;
    long quit_after_ = 0;      // Quit plan: stage frames before Esc
    long stage_frames_ = 0;    // frames of the current game in a stage state
    long destroyed_frames_ = 0;
    int death_choice_ = 0;     // 0 Enter, 1 Esc then Y, 2 let the sequence run out
    long death_delay_ = 0;
    bool resume_from_overlay_ = false;
    bool held_[2][2] = {};     // steering keys held down, per axis and direction

    bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < p; }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    // Every ordinary key goes through here: the main menu's quit item would end
    // the process, so Enter on it is never sent.
    void key(int code) {
        if (screen_state == STATE_MAIN_MENU && code == KEY_ENTER && menu_cursor == 6) {
            ++tally_.quit_item_enters_skipped;
            return;
        }
        const int before = screen_state;
        const int destroyed = player_destroyed;
        ++tally_.keys;
        keyboard_callback(static_cast<unsigned char>(code), 0, 0);
        const int folded = toupper(code);
        if (before == STATE_QUIT_OVERLAY && folded == 'Y' && screen_state == STATE_MAIN_MENU) ++tally_.overlay_quits;
        if (before == STATE_QUIT_OVERLAY && folded == 'N' && in_stage_range(screen_state)) ++tally_.overlay_resumes;
        if (in_stage_range(before) && code == KEY_ENTER && destroyed == 1 && screen_state == STATE_NAV1) {
            ++tally_.restarts_after_loss;
            start_game();  // the same state, but a new game
        }
    }
    void special(int code) {
        ++tally_.keys;
        special_callback(code, 0, 0);
    }
    void special_up(int code) {
        ++tally_.keys;
        special_up_callback(code, 0, 0);
    }

    // Anything at all, now and then: keys a screen ignores must do no harm.
    void stray_key() {
        switch (pick(3)) {
        case 0: key(pick(256)); break;
        case 1: special(pick(120)); break;
        default: special_up(pick(120)); break;
        }
    }

    void enter_state(int state) {
        if (!in_stage_range(state) && state != STATE_QUIT_OVERLAY) release_all();
        if (state == STATE_MAIN_MENU) menu_target_ = pick_menu_item();
        if (state == STATE_SETTINGS) settings_target_ = 1 + pick(6);
        if (state == STATE_NAV1 && last_state_ == STATE_SHIP_SELECT) start_game();
        last_state_ = state;
        frames_here_ = 0;
    }

    void start_game() {
        ++tally_.games_started;
        const int roll = pick(100);
        plan_ = roll < 35 ? Plan::Lose : roll < 70 ? Plan::Win : Plan::Quit;
        quit_after_ = 50 + pick(500);
        stage_frames_ = 0;
        destroyed_frames_ = 0;
    }

    // Mostly games; sometimes another screen; sometimes the quit item, which is
    // only ever looked at.
    int pick_menu_item() {
        const int roll = pick(100);
        if (roll < 40) return 1;   // ship select, then a game
        if (roll < 55) return 2;   // stage select, which also leads to a game
        if (roll < 70) return 3;   // settings, and from there the controls
        if (roll < 80) return 4;   // high scores
        if (roll < 90) return 5;   // credits
        return 6;
    }

    void intro() {
        if (chance(0.01)) key(KEY_ESC);
    }

    void main_menu() {
        if (!chance(0.25)) return;
        if (menu_cursor == menu_target_) {
            if (menu_target_ == 6) menu_target_ = pick_menu_item();
            else key(KEY_ENTER);
            return;
        }
        const bool down_is_shorter = (menu_target_ - menu_cursor + 6) % 6 <= 3;
        const bool down = chance(0.8) ? down_is_shorter : chance(0.5);
        special(down ? SPECIAL_DOWN : SPECIAL_UP);
    }

    // Heads for a row and presses Enter on it (sound, music, volumes, display
    // mode, controls), then for another row or back out.
    void settings_menu() {
        if (!chance(0.2)) return;
        if (settings_cursor != settings_target_) {
            special(chance(0.5) ? SPECIAL_UP : SPECIAL_DOWN);
            return;
        }
        key(KEY_ENTER);
        if (chance(0.3)) key(KEY_ESC);
        settings_target_ = 1 + pick(6);
    }

    void stage_select() {
        if (!chance(0.2)) return;
        const int roll = pick(100);
        if (roll < 40) special(roll < 20 ? SPECIAL_UP : SPECIAL_DOWN);
        else if (roll < 75) key(KEY_ENTER);
        else key(KEY_ESC);
    }

    void ship_select() {
        if (!chance(0.2)) return;
        const int roll = pick(100);
        if (roll < 60) special(roll < 30 ? SPECIAL_LEFT : SPECIAL_RIGHT);
        else if (roll < 90) key(KEY_ENTER);
        else key(KEY_ESC);
    }

    void quit_overlay() {
        if (frames_here_ < 3 || !chance(0.2)) return;
        key(resume_from_overlay_ ? (chance(0.5) ? 'N' : 'n') : (chance(0.5) ? 'Y' : 'y'));
    }

    // ---- Stage play ----

    void stage() {
        ++stage_frames_;
        if (player_destroyed == 1) {
            after_loss();
            return;
        }
        destroyed_frames_ = 0;
        if (chance(0.01)) gun_or_sound_key();
        if (chance(0.001)) {  // a pause, mostly resumed; a winning run always is
            resume_from_overlay_ = plan_ == Plan::Win || chance(0.7);
            key(KEY_ESC);
            return;
        }
        if (plan_ == Plan::Quit && stage_frames_ > quit_after_) {
            resume_from_overlay_ = false;
            key(KEY_ESC);
            return;
        }
        if (plan_ == Plan::Win) autopilot();
        else if (plan_ == Plan::Quit) wander();
        else sit_still();
    }

    void after_loss() {
        if (destroyed_frames_++ == 0) {
            death_choice_ = pick(3);
            death_delay_ = 5 + pick(100);
            release_all();
        }
        if (destroyed_frames_ < death_delay_) return;
        if (death_choice_ == 0) {
            key(KEY_ENTER);
        } else if (death_choice_ == 1) {
            resume_from_overlay_ = false;
            key(KEY_ESC);
        }
    }

    void gun_or_sound_key() {
        static const int KEYS[] = {'G', 'g', 'F', 'f', 'M', 'm'};
        static const int SPECIALS[] = {SPECIAL_F5, SPECIAL_F6, SPECIAL_F7, SPECIAL_F8, SPECIAL_F12};
        if (chance(0.6)) key(KEYS[pick(6)]);
        else special(SPECIALS[pick(5)]);
    }

    // Holds `direction` (a steer_x or steer_y value) on `axis` (0 horizontal, 1 vertical)
    // the way a keyboard would: the new key goes down before the old comes up.
    void steer(int axis, int direction) {
        const int current = axis == 0 ? steer_x : steer_y;
        if (direction == current) return;
        if (direction != HELD_NONE) {
            const int wanted = direction - HELD_LEFT;  // AXIS_KEYS lists each axis's keys in the order of its values (HELD_UP alike)
            special(AXIS_KEYS[axis][wanted]);
            held_[axis][wanted] = true;
            if (held_[axis][1 - wanted]) {
                special_up(AXIS_KEYS[axis][1 - wanted]);
                held_[axis][1 - wanted] = false;
            }
        } else {
            // Let go of the key that set the direction (a stray key may have), then of any other.
            special_up(AXIS_KEYS[axis][current - HELD_LEFT]);
            held_[axis][current - HELD_LEFT] = false;
            for (int d = 0; d < 2; ++d)
                if (held_[axis][d]) {
                    special_up(AXIS_KEYS[axis][d]);
                    held_[axis][d] = false;
                }
        }
    }

    void release_all() {
        for (int axis = 0; axis < 2; ++axis)
            for (int d = 0; d < 2; ++d)
                if (held_[axis][d]) {
                    special_up(AXIS_KEYS[axis][d]);
                    held_[axis][d] = false;
                }
    }

    // Loses by sitting at the bottom and letting the rocks ram the fighter off it.
    void sit_still() {
        steer(0, 0);
        steer(1, stage_frames_ < 40 ? 2 : 0);
        if (chance(0.03)) key(KEY_SPACE);
    }

    void wander() {
        if (chance(0.05)) steer(0, pick(3));
        if (chance(0.05)) steer(1, pick(3));
        if (chance(0.1)) key(KEY_SPACE);
    }

    static double player_centre() { return centre_x(player.x, player.width); }

    // A pilot who keeps well above the bottom edge (a ram there cannot push
    // the fighter off the screen), dodges the rock coming down on it and, in
    // NAV 2, lines up under the enemy fighter and fires.
    void autopilot() {
        // In NAV 2 the fighter cruises at 0.8: close below it a shot has little way to go.
        const double target_y = screen_state == STATE_NAV2 ? 0.62 : 0.3;
        if (player.y < target_y - 0.03) steer(1, 1);
        else if (player.y > target_y + 0.03) steer(1, 2);
        else steer(1, 0);

        const double centre = player_centre();
        if (screen_state == STATE_NAV2 && nav_fighter.alive == 1 && nav_fighter.y < 1.0) {
            const double gap = fighter_centre_when_shot_arrives() - centre;
            steer(0, gap < -0.01 ? 1 : gap > 0.01 ? 2 : 0);
            if (std::fabs(gap) < 0.02 && player.gun_energy >= player.gun_energy_max * 0.3) key(KEY_SPACE);
            return;
        }
        const Enemy* threat = nearest_rock_above();
        if (threat) {
            const double rock_centre = centre_x(threat->x, threat->width);
            bool go_left = rock_centre > centre;
            if (go_left && player.x < 0.05) go_left = false;
            if (!go_left && player.x > PLAYFIELD_WIDTH - 0.12) go_left = true;
            steer(0, go_left ? 1 : 2);
            if (player.gun_energy >= player.gun_energy_max * 0.5) key(KEY_SPACE);
        } else {
            steer(0, centre < 0.38 ? 2 : centre > 0.46 ? 1 : 0);
        }
    }

    // Where the enemy fighter's centre will be when a laser shot fired now
    // reaches its height (it sweeps at its speed, turning at 0.2 and 0.7).
    static double fighter_centre_when_shot_arrives() {
        const double gap = nav_fighter.y - (player.y + player.height * PIXEL_HEIGHT);
        const double frames = gap > 0 ? gap / gun_table[GUN_LASER].forward_speed : 0.0;
        double x = nav_fighter.x + (nav_fighter_heading == 0 ? 1 : -1) * nav_fighter.speed * frames;
        if (x > 0.7) x = 1.4 - x;
        if (x < 0.2) x = 0.4 - x;
        return centre_x(x, nav_fighter.width);
    }

    // The lowest active rock above the fighter whose lane it shares (with a margin).
    static const Enemy* nearest_rock_above() {
        const int fleet = screen_state == STATE_NAV2 ? NAV2_FLEET_SIZE : NAV1_FLEET_SIZE;
        const double left = player.x - 0.03;
        const double right = player.x + player.width * PIXEL_WIDTH + 0.03;
        const double top = player.y + player.height * PIXEL_HEIGHT;
        const Enemy* nearest = nullptr;
        for (int i = 0; i < fleet; ++i) {
            const Enemy& rock = enemies[i];
            if (rock.active != 1 || rock.y < top - 0.02 || rock.y > top + 0.5) continue;
            if (rock.x > right || rock.x + rock.width * PIXEL_WIDTH < left) continue;
            if (!nearest || rock.y < nearest->y) nearest = &rock;
        }
        return nearest;
    }
};

// The game as at start-up in its own folder, with the settings a missing
// settings.cfg gives (the folder's own file is neither read nor written), an
// empty table, silent sound and the game's draws seeded with `seed`.
struct SeededRunTest : testing::Test {
    std::filesystem::path previous_dir;

    void start_seeded_run(const char* profile, unsigned seed) {
        previous_dir = std::filesystem::current_path();
        std::filesystem::current_path(GAME_DIR);  // the game's paths are relative to its folder
        restore_program_start();  // whatever the tests before this one left
        set_game_start_values();  // the table as a missing settings.cfg leaves it, too
        profile_name = profile;
        sound_library_test_use_drivers("dummy", nullptr);  // never out loud, device or not
        gl_setup(1);  // start values, stars, sound, the intro's pictures: as at start-up
        seed_rand15(seed);  // the game's own draws, repeatable
    }
    void TearDown() override {
        close_sound_backend();
        glFinish();
        std::filesystem::current_path(previous_dir);
    }
};
