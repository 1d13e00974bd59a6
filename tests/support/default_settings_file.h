// The settings.cfg the engine writes for the default settings and an untouched
// high-score table, byte for byte: what the unit and end-to-end tests compare.
#pragma once

const char* const DEFAULT_SETTINGS_FILE =
    "[ver]\nid=1.1\n\n[video]\nfullscreen=0\n\n[sound]\nsfx=1\nmusic=1\nsfxvol=5\nmusicvol=5\n\n"
    "[scores]\n"
    "1=0\n1n=EMPTY\n1s=-1\n2=0\n2n=EMPTY\n2s=-1\n3=0\n3n=EMPTY\n3s=-1\n4=0\n4n=EMPTY\n4s=-1\n"
    "5=0\n5n=EMPTY\n5s=-1\n6=0\n6n=EMPTY\n6s=-1\n7=0\n7n=EMPTY\n7s=-1\n8=0\n8n=EMPTY\n8s=-1\n"
    "9=0\n9n=EMPTY\n9s=-1\n10=0\n10n=EMPTY\n10s=-1\n"
    "checksum=0\n";
