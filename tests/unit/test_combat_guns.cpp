// The player's volleys: energy, mounts, the order of slots, and the limits of
// the 64-slot pools.
#include <vector>

#include "test_stage_support.h"

using namespace stage_test;

namespace {

struct GunsTest : StageTest {
    void SetUp() override {
        StageTest::SetUp();
        place_player(0.4, 0.05);  // Pilvet, 100 energy
    }
};

}  // namespace

TEST_F(GunsTest, EachModeFiresItsShotsFromBothMountsAtTheTopEdge) {
    struct Case {
        int mode, cost, shots;
        int first_texture, last_texture;
    } cases[] = {
        {GUN_MODE_LASER, 10, 2, 517, 517},     {GUN_MODE_ION, 15, 2, 518, 518},
        {GUN_MODE_NEUTRON, 20, 2, 519, 519},   {GUN_MODE_LASER_ION, 25, 4, 517, 518},
        {GUN_MODE_LASER_NEUTRON, 30, 4, 517, 519},
    };
    const double top = 0.05 + 48 * (1.0 / 600);
    for (const Case& c : cases) {
        memset(player_shots, 0, sizeof player_shots);
        player.gun_energy = 100;
        SCOPED_TRACE(testing::Message() << "gun mode " << c.mode);
        gun_mode = c.mode;
        fire_guns();
        EXPECT_EQ(player.gun_energy, 100 - c.cost);
        EXPECT_EQ(active_shots(player_shots), c.shots);
        EXPECT_EQ(player_shots[0].texture, c.first_texture);
        EXPECT_EQ(player_shots[c.shots - 1].texture, c.last_texture);
        for (int i = 0; i < c.shots; ++i) {
            const Projectile& shot = player_shots[i];
            bool left_mount = i % 2 == 0;
            EXPECT_DOUBLE_EQ(shot.x, left_mount ? 0.4 + 0.009 : 0.4 + 0.045) << "shot " << i;
            EXPECT_DOUBLE_EQ(shot.y, top);
            EXPECT_GT(shot.dy, 0);
            EXPECT_LE(left_mount ? shot.dx : -shot.dx, 0) << "mounts drift apart";
            EXPECT_EQ(shot.spare, 0);
        }
    }
}

// Each kind's shots, as its row of the gun table makes them: the right
// mount's shot, whose drift keeps its sign.
TEST_F(GunsTest, EachKindsShotsFlyAsItsRowSays) {
    struct Row {
        int mode;
        double speed, drift, width, height, damage;
        int texture;
    } rows[] = {
        {GUN_MODE_LASER, 0.04, 0.0, 4, 8, 20, 517},
        {GUN_MODE_ION, 0.03, 0.001, 8, 8, 25, 518},
        {GUN_MODE_NEUTRON, 0.02, 0.003, 8, 8, 30, 519},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "gun mode " << r.mode);
        memset(player_shots, 0, sizeof player_shots);
        player.gun_energy = 100;
        gun_mode = r.mode;
        fire_guns();
        const Projectile& s = player_shots[1];
        EXPECT_EQ(std::vector<double>({s.dy, s.dx, s.width, s.height, s.damage}),
                  std::vector<double>({r.speed, r.drift, r.width, r.height, r.damage}))
            << "mode " << r.mode;
        EXPECT_EQ(s.texture, r.texture) << "mode " << r.mode;
    }
}

TEST_F(GunsTest, FullGunsPairLasersWithTheSecondKindLeftThenRight) {
    gun_mode = GUN_MODE_LASER_NEUTRON;
    fire_guns();
    const Projectile* s = player_shots;
    EXPECT_EQ(s[0].dx, 0.0);
    EXPECT_EQ(s[0].dy, 0.04);
    EXPECT_EQ(s[0].width, 4);
    EXPECT_EQ(s[0].damage, 20);
    EXPECT_EQ(s[2].dx, -0.003);
    EXPECT_EQ(s[3].dx, 0.003);
    EXPECT_EQ(s[3].dy, 0.02);
    EXPECT_EQ(s[3].width, 8);
    EXPECT_EQ(s[3].height, 8);
    EXPECT_EQ(s[3].damage, 30);
}

TEST_F(GunsTest, EnergyEqualToTheCostFiresAndLeavesZero) {
    gun_mode = GUN_MODE_NEUTRON;
    player.gun_energy = 20;
    fire_guns();
    EXPECT_EQ(player.gun_energy, 0);
    EXPECT_EQ(active_shots(player_shots), 2);
}

TEST_F(GunsTest, TooLittleEnergyFiresNothingEvenIfASingleGunWouldDo) {
    gun_mode = GUN_MODE_LASER_ION;
    player.gun_energy = 24;
    fire_guns();
    EXPECT_EQ(player.gun_energy, 24);
    EXPECT_EQ(active_shots(player_shots), 0);

    gun_mode = GUN_MODE_LASER;
    player.gun_energy = 9.99;
    fire_guns();
    EXPECT_EQ(active_shots(player_shots), 0);
}

TEST_F(GunsTest, DestroyedPlayerAndUnknownModesFireNothing) {
    player_destroyed = 1;
    fire_guns();
    for (int mode : {-1, 5, 99}) {
        player_destroyed = 0;
        gun_mode = mode;
        fire_guns();
    }
    EXPECT_EQ(player.gun_energy, 100);
    EXPECT_EQ(active_shots(player_shots), 0);
}

TEST_F(GunsTest, VolleysTakeTheLowestFreeSlotsInTurn) {
    player_shots[0].active = 1;
    player_shots[2].active = 1;
    gun_mode = GUN_MODE_LASER_ION;
    fire_guns();
    EXPECT_EQ(player_shots[1].texture, 517);
    EXPECT_EQ(player_shots[3].texture, 517);
    EXPECT_EQ(player_shots[4].texture, 518);
    EXPECT_EQ(player_shots[5].texture, 518);
    EXPECT_EQ(player_shots[6].active, 0);
}

TEST_F(GunsTest, AFullPoolDropsTheShotsThatFindNoSlot) {
    for (int i = 0; i < SHOT_POOL_SIZE - 1; ++i) player_shots[i] = shot_at(0.1, 0.9);
    Projectile enemy_before[SHOT_POOL_SIZE];
    memcpy(enemy_before, enemy_shots, sizeof enemy_before);
    gun_mode = GUN_MODE_LASER_NEUTRON;
    fire_guns();
    EXPECT_EQ(active_shots(player_shots), SHOT_POOL_SIZE);
    EXPECT_DOUBLE_EQ(player_shots[63].x, 0.409);  // the left laser got the last slot
    EXPECT_EQ(player.gun_energy, 70);             // the volley is paid all the same
    EXPECT_EQ(memcmp(enemy_before, enemy_shots, sizeof enemy_before), 0);
    EXPECT_EQ(find_free_shot_slot(SHOTS_PLAYER), -1);
}

TEST_F(GunsTest, SpawnShotWritesOnlyInsideThePoolAndTurnsEnemyShotsDown) {
    Projectile player_before[SHOT_POOL_SIZE], enemy_before[SHOT_POOL_SIZE];
    memcpy(player_before, player_shots, sizeof player_before);
    memcpy(enemy_before, enemy_shots, sizeof enemy_before);
    for (int slot : {-1, 64, 1000}) spawn_shot(SHOTS_PLAYER, slot, 0.5, 0.5, 0, 0.04, 4, 8, 517, 20);
    spawn_shot(2, 0, 0.5, 0.5, 0, 0.04, 4, 8, 517, 20);
    EXPECT_EQ(memcmp(player_before, player_shots, sizeof player_before), 0);
    EXPECT_EQ(memcmp(enemy_before, enemy_shots, sizeof enemy_before), 0);

    enemy_shots[9].spare = 77;
    spawn_shot(SHOTS_ENEMY, 9, 0.2, 0.7, 0.001, 0.03, 8, 8, 518, 25);
    EXPECT_EQ(enemy_shots[9].dy, -0.03);
    EXPECT_EQ(enemy_shots[9].dx, 0.001);
    EXPECT_EQ(enemy_shots[9].damage, 25.0);
    EXPECT_EQ(enemy_shots[9].spare, 0);
    EXPECT_EQ(enemy_shots[9].active, 1);
    EXPECT_EQ(find_free_shot_slot(SHOTS_ENEMY), 0);
    EXPECT_EQ(find_free_shot_slot(7), -1);
}

TEST_F(GunsTest, DamagedHullLowersTheCeilingSoFewerVolleysFollowInARow) {
    player.hull = 40;  // half of 80: energy capped at 50
    recharge_guns(2.0);
    EXPECT_EQ(player.gun_energy, 50);
    // Bounded: an energy check that never refuses must fail here, not hang.
    int volleys = 0;
    while (player.gun_energy >= 10 && volleys < 20) {
        fire_guns();
        ++volleys;
    }
    EXPECT_EQ(volleys, 5);
}
