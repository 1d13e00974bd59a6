// Which events make a sound: every effect goes through the ring of eight, so
// the ring position counts the plays.
#include "audio/sound.h"
#include "combat/damage.h"
#include "persist/settings.h"
#include "stage/enemies.h"
#include "test_stage_support.h"

using namespace stage_test;

namespace {

struct SoundCueTest : StageTest {
    int start = 0;
    void SetUp() override {
        StageTest::SetUp();
        sfx = 1;
        place_player(0.4, 0.05);
        mark();
    }
    void mark() { start = sound_ring_index; }
    int plays() const { return (sound_ring_index - start + SOUND_RING_SIZE) % SOUND_RING_SIZE; }
};

}  // namespace

TEST_F(SoundCueTest, VolleysSoundOnlyWhenPaid) {
    player.gun_energy = 5;
    fire_guns();
    EXPECT_EQ(plays(), 0);
    player.gun_energy = 100;
    gun_mode = GUN_MODE_LASER_NEUTRON;
    fire_guns();
    EXPECT_EQ(plays(), 1);  // one sound for the whole four-shot volley
}

TEST_F(SoundCueTest, EnemyLaserAndIonSoundButNeutronIsSilent) {
    enemy_fire(GUN_LASER);
    enemy_fire(GUN_ION);
    EXPECT_EQ(plays(), 2);
    mark();
    enemy_fire(GUN_NEUTRON);
    EXPECT_EQ(plays(), 0);
    EXPECT_EQ(active_shots(enemy_shots), 6);
}

TEST_F(SoundCueTest, EveryHitOnThePlayerSoundsOnce) {
    damage_player(SIDE_FRONT, HIT_ENEMY_SHOT);  // shield holds
    player.shield[SIDE_REAR] = 0;
    damage_player(SIDE_REAR, HIT_RAM);          // through to the hull
    damage_player(0, HIT_RAM);                  // no side: nothing
    EXPECT_EQ(plays(), 2);
}

TEST_F(SoundCueTest, RocksExplodeWhenDestroyedButFallOutSilently) {
    enemies[0] = rock_at(0.2, 0.5);
    enemies[0].hull = 0;
    enemies[1] = rock_at(0.6, -0.19);
    fleet_step(enemies, 2, NAV1_RESPAWN_LIMIT);
    EXPECT_EQ(plays(), 1);
    mark();
    nav_timer = 1300;
    enemies[0] = rock_at(0.2, 0.5);
    enemies[0].hull = 0;
    fleet_step(enemies, 1, NAV1_RESPAWN_LIMIT);  // retired, and still heard
    EXPECT_EQ(plays(), 1);
}

TEST_F(SoundCueTest, NavStartsAndEndsAreAnnounced) {
    screen_state = STATE_NAV2;
    setup_nav2();
    EXPECT_EQ(plays(), 1);

    // The last kill: the hit on the fighter, its explosion, then the stage-complete call.
    mark();
    nav_kills_left = 1;
    nav_fighter.x = 0.4;
    nav_fighter.y = 0.5;
    nav_fighter.speed = 0;
    nav_fighter.hull = 10;
    player_shots[0] = shot_at(0.42, 0.52);
    frame_nav2();
    EXPECT_EQ(nav_completed, 1);
    EXPECT_EQ(plays(), 3);

    clear_world();
    place_player(0.4, 0.05);
    sfx = 1;
    mark();
    nav_timer = NAV1_LENGTH_FRAMES;
    frame_nav1();
    EXPECT_EQ(plays(), 1);
}
