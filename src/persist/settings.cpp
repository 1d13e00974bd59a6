#include "persist/settings.h"

int fullscreen = 0;
int sfx = 1;
int music = 1;
int sfxvol = 5;
int musicvol = 5;

// Not built yet: the settings issue fills these in; until then the defaults stand.
void load_settings() {}
void save_settings() {}
int32_t score_checksum() { return 0; }
