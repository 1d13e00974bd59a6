#include "persist/settings.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "persist/file_replace.h"
#include "persist/high_scores.h"

int fullscreen = DEFAULT_FULLSCREEN;
int sfx = DEFAULT_SFX;
int music = DEFAULT_MUSIC;
int sfxvol = DEFAULT_VOLUME;
int musicvol = DEFAULT_VOLUME;

const char* const SETTINGS_FILE = "settings.cfg";

constexpr double FILE_VERSION = 1.1;  // written, printed when read, never compared

// One read takes at most 79 characters; a longer line arrives in pieces, and
// each piece counts as a line of its own.
constexpr int LINE_BUFFER_SIZE = 80;

// Room for the whole file: every number at its widest and every name full.
constexpr size_t FILE_TEXT_SIZE = 4096;

// Places 1..5 weigh 4 in the checksum, places 6..10 weigh 5.
constexpr int CHECKSUM_WEIGHTED_PLACES = 5;
constexpr uint32_t CHECKSUM_WEIGHT_HIGH = 4;
constexpr uint32_t CHECKSUM_WEIGHT_LOW = 5;

static const char* const SETTINGS_TEMPLATE =
    "[ver]\nid=%.1f\n\n[video]\nfullscreen=%d\n\n[sound]\nsfx=%d\nmusic=%d\nsfxvol=%d\nmusicvol=%d\n\n";
static const char* const SCORES_HEADING = "[scores]\n";
static const char* const PLACE_TEMPLATE = "%d=%d\n%dn=%s\n%ds=%d\n";
static const char* const CHECKSUM_TEMPLATE = "checksum=%d\n";

int32_t score_checksum() {
    // Unsigned arithmetic wraps by definition; the result is read back as signed 32 bits.
    uint32_t sum = 0;
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i) {
        uint32_t weight = i < CHECKSUM_WEIGHTED_PLACES ? CHECKSUM_WEIGHT_HIGH : CHECKSUM_WEIGHT_LOW;
        sum += static_cast<uint32_t>(get_high_score(i)) * weight;
    }
    return static_cast<int32_t>(sum);
}

// Leading blanks, a sign, digits up to the first other character; no digits
// gives 0. A number too large for an int saturates instead of wrapping.
static int to_int(const char* text) {
    long value = strtol(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// The global a settings key names, or nullptr.
static int* setting_named(const char* key) {
    static const struct {
        const char* key;
        int* value;
    } SETTINGS[] = {
        {"sfx", &sfx}, {"music", &music}, {"sfxvol", &sfxvol}, {"musicvol", &musicvol}, {"fullscreen", &fullscreen},
    };
    for (const auto& setting : SETTINGS)
        if (strcmp(key, setting.key) == 0) return setting.value;
    return nullptr;
}

// Table keys: "N" is the score of place N, "Nn" its name, "Ns" its ship, N 1..10
// written without leading zeros. Returns the 0-based index, or -1 when `key` is
// no table key; `field` gets "", "n" or "s".
static int place_named(const char* key, const char** field) {
    static const char* const FIELDS[] = {"", "n", "s"};
    char candidate[16];  // any int and its suffix fit
    for (int place = 1; place <= HIGH_SCORE_PLACES; ++place) {
        for (const char* suffix : FIELDS) {
            snprintf(candidate, sizeof candidate, "%d%s", place, suffix);
            if (strcmp(key, candidate) == 0) {
                *field = suffix;
                return place - 1;
            }
        }
    }
    return -1;
}

static void apply_place_field(int index, const char* field, const char* value) {
    if (field[0] == '\0') high_scores[index].score = to_int(value);
    else if (field[0] == 'n') set_high_score_name(index, value);
    else high_scores[index].ship = to_int(value);
}

// One piece of the file: skip headings, comments and lines without "=", else
// act on key=value. `stored_checksum` takes the checksum line's value.
static void read_setting_line(char* line, int line_number, int32_t* stored_checksum) {
    if (line[0] == '[' || line[0] == '#') return;
    char* equals = strchr(line, '=');
    if (equals == nullptr) return;

    *equals = '\0';
    const char* key = line;  // not trimmed: "sfx " is not "sfx"
    char* value = equals + 1;
    value[strcspn(value, "\n")] = '\0';
    // A file from a system with CR LF line ends must not leave a CR in a name.
    size_t length = strlen(value);
    if (length > 0 && value[length - 1] == '\r') value[length - 1] = '\0';

    const char* field = "";
    int place = -1;
    if (strcmp(key, "id") == 0) {
        printf("Configuration file found, file version: %s\n", value);
    } else if (int* setting = setting_named(key)) {
        *setting = to_int(value);
    } else if ((place = place_named(key, &field)) >= 0) {
        apply_place_field(place, field, value);
    } else if (strcmp(key, "checksum") == 0) {
        *stored_checksum = to_int(value);
    } else {
        printf("Warning: invalid property in 'settings.cfg' (line %d): %s\n", line_number, key);
    }
}

void load_settings() {
    sfx = DEFAULT_SFX;
    music = DEFAULT_MUSIC;
    musicvol = DEFAULT_VOLUME;
    sfxvol = DEFAULT_VOLUME;
    fullscreen = DEFAULT_FULLSCREEN;
    clear_high_score_names();

    FILE* file = fopen(SETTINGS_FILE, "r");
    if (file == nullptr) return;  // no file: the defaults stand, silently

    // A file without a checksum line is checked against 0: an untouched table passes.
    int32_t stored_checksum = 0;
    char line[LINE_BUFFER_SIZE];
    int line_number = 0;
    while (fgets(line, sizeof line, file) != nullptr) read_setting_line(line, ++line_number, &stored_checksum);
    fclose(file);

    // A score edited by hand costs the whole table, silently; the settings stay.
    if (score_checksum() != stored_checksum) reset_high_scores();
}

// Appends formatted text at `*used`; false once the buffer would overflow.
static bool append(char* text, size_t* used, const char* format, ...) __attribute__((format(printf, 3, 4)));
static bool append(char* text, size_t* used, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    int added = vsnprintf(text + *used, FILE_TEXT_SIZE - *used, format, arguments);
    va_end(arguments);
    if (added < 0 || static_cast<size_t>(added) >= FILE_TEXT_SIZE - *used) return false;
    *used += static_cast<size_t>(added);
    return true;
}

void save_settings() {
    char text[FILE_TEXT_SIZE];
    size_t used = 0;
    bool ok = append(text, &used, SETTINGS_TEMPLATE, FILE_VERSION, fullscreen, sfx, music, sfxvol, musicvol);
    ok = ok && append(text, &used, "%s", SCORES_HEADING);
    for (int i = 0; i < HIGH_SCORE_PLACES && ok; ++i) {
        const HighScoreEntry& entry = high_scores[i];
        int place = i + 1;
        ok = append(text, &used, PLACE_TEMPLATE, place, get_high_score(i), place, entry.name, place, entry.ship);
    }
    ok = ok && append(text, &used, CHECKSUM_TEMPLATE, score_checksum());
    // A file that cannot be written leaves the old one in place, silently.
    if (ok) replace_file(SETTINGS_FILE, text, used);
}
