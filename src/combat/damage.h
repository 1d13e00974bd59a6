// What hits do to the player's fighter, and its destruction.
#pragma once

enum { HIT_RAM = 0, HIT_ENEMY_SHOT = 1 };

// A hit of kind `hit_kind` on side code `side` (1..4; others do nothing).
// Called by the stage frames after a hit test reported a side.
void damage_player(int side, int hit_kind);
// One step of the 150-frame death sequence: the explosion on its first call,
// the enemy fighter sinking, the game-over picture, and the game's end as the
// countdown runs out. Called by the stage frames every frame while the hull is below 1.
void run_player_destruction();
