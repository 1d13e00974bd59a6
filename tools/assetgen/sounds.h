// The game's sounds: effects and voice lines into sfx/, songs and the intro
// piece into mus/. Each returns false when a file could not be made.
#pragma once

#include <string>

bool write_effects(const std::string& dir);  // the gun, click, shield, explosion and voice effects
bool write_music(const std::string& dir);    // the three MIDI songs and the MP3 intro piece
