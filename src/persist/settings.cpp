#include "persist/settings.h"

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "persist/file_replace.h"
#include "persist/high_scores.h"
#include "persist/replay_store.h"
#include "persist/save_lock.h"
#include "persist/score_merge.h"

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

static int32_t table_checksum(const HighScoreEntry table[HIGH_SCORE_PLACES]) {
    // Unsigned arithmetic wraps by definition; the result is read back as signed 32 bits.
    uint32_t sum = 0;
    for (int i = 0; i < HIGH_SCORE_PLACES; ++i) {
        uint32_t weight = i < CHECKSUM_WEIGHTED_PLACES ? CHECKSUM_WEIGHT_HIGH : CHECKSUM_WEIGHT_LOW;
        sum += static_cast<uint32_t>(table[i].score) * weight;
    }
    return static_cast<int32_t>(sum);
}

int32_t score_checksum() { return table_checksum(high_scores); }

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

static void apply_place_field(HighScoreEntry* entry, const char* field, const char* value) {
    if (field[0] == '\0') entry->score = to_int(value);
    else if (field[0] == 'n') set_entry_name(entry, value);
    else entry->ship = to_int(value);
}

// Where one reading of the file goes: the start-up's takes the settings and
// the table and reports what it finds; a save's takes the table alone, quietly.
struct FileReading {
    HighScoreEntry* table;
    bool whole;
};
constexpr bool WHOLE_FILE = true, TABLE_ONLY = false;

// One piece of the file: skip headings, comments and lines without "=", else
// act on key=value. `stored_checksum` takes the checksum line's value.
static void read_setting_line(char* line, int line_number, int32_t* stored_checksum, const FileReading& reading) {
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
        if (reading.whole) printf("Configuration file found, file version: %s\n", value);
    } else if (int* setting = setting_named(key)) {
        if (reading.whole) *setting = to_int(value);
    } else if ((place = place_named(key, &field)) >= 0) {
        apply_place_field(&reading.table[place], field, value);
    } else if (strcmp(key, "checksum") == 0) {
        *stored_checksum = to_int(value);
    } else if (reading.whole) {
        printf("Warning: invalid property in 'settings.cfg' (line %d): %s\n", line_number, key);
    }
}

// Reads `path` into `reading`, then the checksum test: a score edited by hand
// costs the whole table, silently; the settings stay. Without a file nothing
// changes, silently.
static void read_settings_file(const char* path, const FileReading& reading) {
    FILE* file = fopen(path, "r");
    if (file == nullptr) return;

    // A file without a checksum line is checked against 0: an untouched table passes.
    int32_t stored_checksum = 0;
    char line[LINE_BUFFER_SIZE];
    int line_number = 0;
    while (fgets(line, sizeof line, file) != nullptr) read_setting_line(line, ++line_number, &stored_checksum, reading);
    fclose(file);

    if (table_checksum(reading.table) != stored_checksum) empty_table(reading.table);
}

void load_settings() {
    sfx = DEFAULT_SFX;
    music = DEFAULT_MUSIC;
    musicvol = DEFAULT_VOLUME;
    sfxvol = DEFAULT_VOLUME;
    fullscreen = DEFAULT_FULLSCREEN;
    clear_high_score_names();
    read_settings_file(SETTINGS_FILE, {high_scores, WHOLE_FILE});
    high_scores_saved();
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

// The whole file from the settings and the table; false if it would not fit.
static bool compose_file(char* text, size_t* used) {
    bool ok = append(text, used, SETTINGS_TEMPLATE, FILE_VERSION, fullscreen, sfx, music, sfxvol, musicvol);
    ok = ok && append(text, used, "%s", SCORES_HEADING);
    for (int i = 0; i < HIGH_SCORE_PLACES && ok; ++i) {
        const HighScoreEntry& entry = high_scores[i];
        int place = i + 1;
        ok = append(text, used, PLACE_TEMPLATE, place, get_high_score(i), place, entry.name, place, entry.ship);
    }
    return ok && append(text, used, CHECKSUM_TEMPLATE, score_checksum());
}

// Without the lock the save writes this copy's table as it stands: better than
// losing the session, though scores another copy saved meanwhile are lost.
static void report_lock_failure(const std::string& file, int error) {
    if (error == EWOULDBLOCK)
        printf("Could not lock '%s': another copy of the game held it for %d ms; saving without merging\n",
               file.c_str(), SAVE_LOCK_WAIT_MS);
    // A folder that refuses the lock file (or is missing) refuses the save too, which says why.
    else if (error != EACCES && error != EROFS && error != ENOENT)
        printf("Could not lock '%s': %s; saving without merging\n", file.c_str(), strerror(error));
}

void save_settings() {
    // Through a link to the file it names: the link stays, and the lock goes beside the file.
    const std::string file = link_target(SETTINGS_FILE);
    const int lock = take_save_lock(file);
    HighScoreEntry file_table[HIGH_SCORE_PLACES];
    if (lock >= 0) {
        empty_table(file_table);  // a missing file holds no entries
        read_settings_file(file.c_str(), {file_table, TABLE_ONLY});
        merge_high_scores(file_table);
    } else {
        report_lock_failure(file, errno);
    }

    char text[FILE_TEXT_SIZE];
    size_t used = 0;
    const int error = compose_file(text, &used) ? replace_file(file.c_str(), text, used) : EOVERFLOW;
    if (error != 0) {
        // The old file stays as it was; the player must hear that this session's changes are lost.
        printf("Could not save '%s': %s\n", file.c_str(), strerror(error));
    } else {
        if (lock >= 0) remove_replays_of_lost_entries(file_table);
        high_scores_saved();
    }
    if (lock >= 0) release_save_lock(lock, file);
}
