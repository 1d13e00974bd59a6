// Filling the world when a NAV starts, the player's fighter and the enemy
// fighter's spawn with its two random draws.
#include <tuple>

#include "test_stage_support.h"

using namespace stage_test;

using StageSetupTest = StageTest;

TEST_F(StageSetupTest, Nav1FillsEightRocksFreesEveryShotAndParksEveryParticle) {
    for (Projectile& shot : player_shots) shot.active = 1;
    enemy_shots[63].active = 1;
    burst_debris(0.5, 0.5);
    burst_hit_sparks(0.5, 0.5);
    stage_title_fade = 0.0;
    nav_timer = -1;
    nav_timer_running = 0;
    rand_draws = 0;

    setup_nav1();

    EXPECT_EQ(active_shots(player_shots), 0);
    EXPECT_EQ(active_shots(enemy_shots), 0);
    EXPECT_EQ(player_shots[5].x, 0.0);  // zero-filled, not only freed
    EXPECT_EQ(unparked(debris_particles, DEBRIS_CAPACITY), 0);
    EXPECT_EQ(unparked(hit_sparks, HIT_SPARK_CAPACITY), 0);
    EXPECT_EQ(stage_title_fade, 1.0);
    EXPECT_EQ(nav_timer, 0);
    EXPECT_EQ(nav_timer_running, 1);

    const double xs[] = {0.2, 0.4, 0.8, 0.3, 0.6, 0.5, 0.1, 0.4};
    const double ys[] = {3.5, 4.0, 4.5, 5.0, 5.5, 6.0, 6.5, 7.0};
    for (int i = 0; i < NAV1_FLEET_SIZE; ++i) {
        EXPECT_EQ(enemies[i].x, xs[i]) << i;
        EXPECT_EQ(enemies[i].y, ys[i]) << i;
        EXPECT_EQ(enemies[i].hull, enemies[i].hull_max) << i;
        EXPECT_EQ(enemies[i].active, 1) << i;
    }
    // The big rock: wide, slow, tough.
    EXPECT_EQ(enemies[5].width, 256);
    EXPECT_EQ(enemies[5].height, 128);
    EXPECT_EQ(enemies[5].hull_max, 400);
    EXPECT_EQ(enemies[5].score_value, 300);
    EXPECT_EQ(enemies[5].texture, 5);
    EXPECT_EQ(enemies[3].score_value, 250);
    EXPECT_EQ(enemies[7].speed, 0.01);
    EXPECT_EQ(rand_draws, 0);
}

TEST_F(StageSetupTest, EveryRockOfBothFleetsStartsAsItsRowSays) {
    struct Row {
        double x, y, speed, width, height;
        int hull_max, score_value, texture;
    };
    const Row nav1[NAV1_FLEET_SIZE] = {
        {0.2, 3.5, 0.02, 64, 64, 100, 100, 4},     {0.4, 4.0, 0.02, 64, 64, 100, 100, 4},
        {0.8, 4.5, 0.02, 64, 64, 100, 100, 4},     {0.3, 5.0, 0.025, 128, 128, 200, 250, 6},
        {0.6, 5.5, 0.025, 128, 128, 200, 250, 6},  {0.5, 6.0, 0.01, 256, 128, 400, 300, 5},
        {0.1, 6.5, 0.01, 64, 64, 100, 100, 4},     {0.4, 7.0, 0.01, 64, 64, 100, 100, 4},
    };
    const Row nav2[NAV2_FLEET_SIZE] = {
        {0.1, 3.5, 0.05, 64, 64, 100, 100, 4}, {0.75, 4.0, 0.05, 64, 64, 100, 100, 4},
        {0.1, 4.5, 0.05, 64, 64, 100, 100, 4}, {0.75, 5.0, 0.05, 64, 64, 100, 100, 4},
    };
    auto expect_fleet = [](const Row* rows, int count, const char* nav) {
        for (int i = 0; i < count; ++i) {
            const Enemy& rock = enemies[i];
            const Row& row = rows[i];
            EXPECT_EQ(std::vector<double>({rock.x, rock.y, rock.speed, rock.width, rock.height}),
                      std::vector<double>({row.x, row.y, row.speed, row.width, row.height}))
                << nav << " rock " << i;
            EXPECT_EQ(std::vector<int>({rock.hull_max, rock.hull, rock.score_value, rock.texture, rock.active}),
                      std::vector<int>({row.hull_max, row.hull_max, row.score_value, row.texture, 1}))
                << nav << " rock " << i;
        }
    };
    setup_nav1();
    expect_fleet(nav1, NAV1_FLEET_SIZE, "NAV 1");
    setup_nav2();
    expect_fleet(nav2, NAV2_FLEET_SIZE, "NAV 2");
    EXPECT_EQ(enemies[NAV2_FLEET_SIZE].active, 0) << "NAV 2 has four rocks";
}

TEST_F(StageSetupTest, Nav2CarriesThePlayerAndScoreOverAndJudgesAccuracyAfresh) {
    place_player(0.7, 0.6, 1);
    player.hull = 61;
    player.shield[SIDE_LEFT] = -1;
    player.gun_energy = 42.5;
    Ship before = player;
    score = 8600;
    player_destroyed = 0;
    nav_timer = -1;
    shots_hit = 30;
    shots_missed = 10;
    bonus_pending = 500;
    bonus_awarded = 1;
    stage_started = 1;
    nav_completed = 1;
    hud_offset = 0.9;
    enemies[6].active = 1;  // NAV 1 left eight rocks
    screen_state = STATE_NAV2;

    setup_nav2();

    EXPECT_EQ(memcmp(&before, &player, sizeof player), 0);
    EXPECT_EQ(score, 8600);
    EXPECT_EQ(nav_timer, -1);
    EXPECT_EQ(std::make_tuple(shots_hit, shots_missed, bonus_pending, bonus_awarded), std::make_tuple(0, 0, 0, 0));
    EXPECT_EQ(stage_started, 0);
    EXPECT_EQ(nav_completed, 0);
    EXPECT_EQ(hud_offset, 0.26);
    EXPECT_EQ(nav_kills_left, 10);
    EXPECT_EQ(enemies[6].active, 0);  // only four rocks now
    const double xs[] = {0.1, 0.75, 0.1, 0.75};
    for (int i = 0; i < NAV2_FLEET_SIZE; ++i) {
        SCOPED_TRACE(testing::Message() << "rock " << i);
        EXPECT_EQ(enemies[i].x, xs[i]);
        EXPECT_EQ(enemies[i].speed, 0.05);
        EXPECT_EQ(enemies[i].texture, 4);
        EXPECT_EQ(enemies[i].active, 1);
    }
    EXPECT_EQ(nav_fighter.x, 0.4);
    EXPECT_EQ(nav_fighter.y, 1.5);
    EXPECT_EQ(nav_fighter.alive, 1);
    EXPECT_EQ(rand_draws, 2);  // the fighter's speed and weapon, nothing else
}

TEST_F(StageSetupTest, Nav2FirstFrameOnlyMovesThePlayerBackToTheStart) {
    place_player(0.7, 0.6, 2);
    player.hull = 99;
    player.shield[SIDE_FRONT] = 17.5;
    screen_state = STATE_NAV2;
    setup_nav2();
    frame_nav2();
    EXPECT_EQ(player.x, 0.4);
    EXPECT_EQ(player.y, 0.05);
    EXPECT_EQ(player.hull, 99);
    EXPECT_EQ(player.hull_max, 160);
    EXPECT_EQ(stage_started, 1);
}

TEST_F(StageSetupTest, SetupPlayerFillsTheFighterOfTheSelectedShip) {
    struct Expected {
        double speed;
        int shield, hull, energy;
    } expected[] = {{0.04, 200, 80, 100}, {0.03, 220, 100, 150}, {0.02, 280, 160, 200}};
    for (int ship = 0; ship < 3; ++ship) {
        SCOPED_TRACE(testing::Message() << "ship " << ship);
        memset(&player, 0, sizeof player);
        selected_ship = ship;
        setup_player();
        EXPECT_EQ(player.x, 0.4);
        EXPECT_EQ(player.y, 0.05);
        EXPECT_EQ(player.speed, expected[ship].speed);
        EXPECT_EQ(player.width, 48);
        EXPECT_EQ(player.height, 48);
        for (int side = 1; side <= 4; ++side) {
            EXPECT_EQ(player.shield_max[side], expected[ship].shield) << ship << side;
            EXPECT_EQ(player.shield[side], expected[ship].shield) << ship << side;
        }
        EXPECT_EQ(player.hull, expected[ship].hull);
        EXPECT_EQ(player.hull_max, expected[ship].hull);
        EXPECT_EQ(player.gun_energy, expected[ship].energy);
        EXPECT_EQ(player.gun_energy_max, expected[ship].energy);
        EXPECT_EQ(player.alive, 1);
    }
}

TEST_F(StageSetupTest, SpawnedFighterTakesSpeedThenWeaponFromTwoDraws) {
    struct Case {
        int speed_draw, weapon_draw;
        double speed;
        int weapon;
    } cases[] = {
        {0, 0, 0.010, 0},
        {draw_for(0.35), draw_for(0.4) - 1, 0.016, 0},  // just under 0.4: laser
        {draw_for(0.5), draw_for(0.4), 0.020, 1},       // 0.4 and above: ion
        {draw_for(0.95), draw_for(0.8) - 1, 0.028, 1},
        {draw_for(0.9) - 1, draw_for(0.8), 0.026, 2},   // 0.8 and above: neutron
        {32767, 32767, 0.028, 2},                       // 1.0 takes the last speed
    };
    for (const Case& c : cases) {
        script_rand({c.speed_draw, c.weapon_draw});
        nav_fighter.alive = 0;
        nav_fighter.hull = -20;
        spawn_nav_fighter(0.4, 1.25, 0);
        SCOPED_TRACE(testing::Message() << "draws " << c.speed_draw << ", " << c.weapon_draw);
        EXPECT_DOUBLE_EQ(nav_fighter.speed, c.speed);
        EXPECT_EQ(nav_fighter_weapon, c.weapon);
        EXPECT_EQ(nav_fighter.x, 0.4);
        EXPECT_EQ(nav_fighter.y, 1.25);
        EXPECT_EQ(nav_fighter.hull, 150);
        EXPECT_EQ(nav_fighter.hull_max, 150);
        EXPECT_EQ(nav_fighter.gun_energy, 80);
        EXPECT_EQ(nav_fighter.width, 48);
        EXPECT_EQ(nav_fighter.alive, 1);
        EXPECT_EQ(rand_draws, 2);
    }
}

TEST_F(StageSetupTest, RespawnKeepsTheFightersHeadingAndFireTimer) {
    nav_fighter_heading = 1;
    nav_fighter_fire_timer = 7;
    spawn_nav_fighter(0.4, 1.25, 0);
    EXPECT_EQ(nav_fighter_heading, 1);
    EXPECT_EQ(nav_fighter_fire_timer, 7);
}

TEST_F(StageSetupTest, ASecondGameRefillsTheFighterForTheNewShip) {
    place_player(0.1, 0.5, 0);
    player.hull = 3;
    player_shots[10].active = 1;
    burst_explosion(0.3, 0.3);
    reset_game();
    selected_ship = 2;
    screen_state = STATE_NAV1;
    setup_nav1();
    frame_nav1();  // its first frame fills the fighter
    EXPECT_EQ(player.hull, 160);
    EXPECT_EQ(player.shield[SIDE_REAR], 280);
    EXPECT_EQ(player.x, 0.4);
    EXPECT_EQ(active_shots(player_shots), 0);
    EXPECT_EQ(unparked(explosion_particles, EXPLOSION_CAPACITY), 0);
}
