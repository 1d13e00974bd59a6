#include "sounds.h"
bool write_effects(const std::string&) { return true; }
bool write_music(const std::string&) { return true; }
