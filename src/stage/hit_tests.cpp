// The four overlap tests. Every comparison is strict, so rectangles that only
// touch do not hit. Each test names the struck side by comparing edges; the
// order of the comparisons decides corners and is part of each rule.
#include <cmath>

#include "stage/enemies.h"

// Constant hull a rock loses for every frame it overlaps the player.
constexpr int RAM_HULL_LOSS = 50;

namespace {

struct Box {
    double left, right, bottom, top;
};

Box box_of(double x, double y, double width, double height) {
    return Box{x, x + width * PIXEL_WIDTH, y, y + height * PIXEL_HEIGHT};
}

Box box_of(const Ship& ship) { return box_of(ship.x, ship.y, ship.width, ship.height); }
Box box_of(const Enemy& rock) { return box_of(rock.x, rock.y, rock.width, rock.height); }
Box box_of(const Projectile& shot) { return box_of(shot.x, shot.y, shot.width, shot.height); }

bool overlap(const Box& a, const Box& b) {
    return a.left < b.right && a.right > b.left && a.bottom < b.top && a.top > b.bottom;
}

// The side code for box `s` striking box `t` (a player shot its target, or a rock
// the player): inside t's height on the left or right of its left edge, else
// below (front) or above (rear). Equal bottoms name no side.
int strike_side(const Box& s, const Box& t) {
    if (s.left > t.left && s.top < t.top && s.bottom > t.bottom) return SIDE_LEFT;
    if (s.left < t.left && s.top < t.top && s.bottom > t.bottom) return SIDE_RIGHT;
    if (s.bottom < t.bottom) return SIDE_FRONT;
    if (s.bottom > t.bottom) return SIDE_REAR;
    return SIDE_NONE;
}

// Damage a target takes from a shot, truncated toward zero like the hull it lands in.
int32_t hull_after_shot(int32_t hull, const Projectile& shot) {
    return static_cast<int32_t>(std::trunc(hull - shot.damage));
}

// Every active rock that `mover` overlaps, in fleet order, takes `hit` until
// one is struck on a known side, which is the result.
template <typename Hit>
int strike_fleet(Enemy* fleet, int count, const Box& mover, Hit hit) {
    for (int i = 0; i < count; ++i) {
        Enemy& rock = fleet[i];
        if (rock.active != 1) continue;
        Box e = box_of(rock);
        if (!overlap(mover, e)) continue;
        hit(rock);
        int side = strike_side(mover, e);
        if (side != SIDE_NONE) return side;
    }
    return SIDE_NONE;
}

}  // namespace

int test_ram(Enemy* fleet, int count) {
    // A ram is no shot: shots_hit stays.
    return strike_fleet(fleet, count, box_of(player), [](Enemy& rock) { rock.hull -= RAM_HULL_LOSS; });
}

int test_enemy_shot(Projectile shot) {
    Box p = box_of(player);
    Box s = box_of(shot);
    if (!overlap(s, p)) return SIDE_NONE;
    if (s.left > p.left && s.top < p.top && s.bottom > p.bottom) return SIDE_LEFT;
    if (s.left < p.left && s.top < p.top && s.bottom > p.bottom) return SIDE_RIGHT;
    if (s.bottom < p.bottom) return SIDE_REAR;
    if (s.bottom > p.bottom) return SIDE_FRONT;
    return SIDE_NONE;
}

int test_shot_nav_fighter(Projectile shot) {
    Box n = box_of(nav_fighter);
    Box s = box_of(shot);
    if (!overlap(s, n)) return SIDE_NONE;
    nav_fighter.hull = hull_after_shot(nav_fighter.hull, shot);
    shots_hit += 1;
    return strike_side(s, n);
}

int test_shot_fleet(Enemy* fleet, Projectile shot, int count) {
    return strike_fleet(fleet, count, box_of(shot), [&shot](Enemy& rock) {
        rock.hull = hull_after_shot(rock.hull, shot);
        shots_hit += 1;
    });
}
