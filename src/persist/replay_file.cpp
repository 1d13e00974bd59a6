#include "persist/replay_file.h"

#include <fcntl.h>
#include <gnu/libc-version.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>

#include "persist/printable_text.h"
#include "stage/rules_fingerprint.h"
#include "stage/world_snapshot.h"

namespace {

const char MAGIC[4] = {'K', 'V', 'R', 'P'};
const char* const GAME_VERSION = "Korvane Arcade 2008.02.09 PD";

#define REPLAY_NAME(name) #name,
const char* const INT_NAMES[] = {WORLD_INT_SCALARS(REPLAY_NAME)};
const char* const DOUBLE_NAMES[] = {WORLD_DOUBLE_SCALARS(REPLAY_NAME)};
#undef REPLAY_NAME

// The int scalars that index arrays or pick a branch by value: a hostile file
// must not bring one outside what the game itself ever gives it.
struct IntRange {
    const char* name;
    int32_t lowest, highest;
};
const IntRange INT_RANGES[] = {
    {"debris_ring", 0, DEBRIS_SLOTS - 1},          {"hit_spark_ring", 0, HIT_SPARK_SLOTS - 1},
    {"impact_spark_ring", 0, IMPACT_SPARK_SLOTS - 1}, {"explosion_ring", 0, EXPLOSION_SLOTS - 1},
    {"selected_ship", 0, PLAYER_SHIP_COUNT - 1},   {"bonus_awarded", 0, 1},
    {"player_destroyed", 0, 1},                    {"nav_completed", 0, 1},
    {"nav_timer_running", 0, 1},                   {"stage_started", 0, 1},
    {"gun_mode", 0, GUN_MODE_COUNT - 1},           {"steer_x", HELD_NONE, HELD_RIGHT},
    {"steer_y", HELD_NONE, HELD_DOWN},             {"tilt_active", 0, 1},
    {"tilt_pitch", -180, 180},                     {"tilt_roll", -180, 180},
    {"nav_fighter_weapon", 0, 2},                  {"nav_fighter_heading", 0, 1},
    {"player_hit_side", 0, SIDE_RIGHT},
};

// Every other start value: counters, timers, positions and the fighters'
// records, which the game keeps far inside this. A hostile value beyond it
// could overflow an int the game adds to, or a cast of a double to an int.
constexpr double START_VALUE_LIMIT = 1e6;

// Texts from a file are shown cut to this in a line of refusal.
constexpr size_t SHOWN_TEXT_CHARACTERS = 48;

// Steering record flags: which values follow.
enum { STEER_STICK_X = 1, STEER_STICK_Y = 2, STEER_TILT_ACTIVE = 4, STEER_PITCH = 8, STEER_ROLL = 16 };
constexpr int STEER_ALL = 31;

// ---- Writing ----

struct Writer {
    std::string out;
    void byte(unsigned value) { out.push_back(static_cast<char>(value)); }
    void varint(uint64_t value) {
        while (value >= 0x80) {
            byte(static_cast<unsigned>(value & 0x7f) | 0x80);
            value >>= 7;
        }
        byte(static_cast<unsigned>(value));
    }
    void signed_varint(int64_t value) {
        varint((static_cast<uint64_t>(value) << 1) ^ static_cast<uint64_t>(value >> 63));
    }
    void fixed64(uint64_t value) {
        for (int i = 0; i < 8; ++i) byte(static_cast<unsigned>(value >> (8 * i)) & 0xff);
    }
    void real(double value) {
        uint64_t bits;
        memcpy(&bits, &value, sizeof bits);
        fixed64(bits);
    }
    void text(const std::string& value) {
        const size_t length = value.size() < REPLAY_TEXT_MAX ? value.size() : REPLAY_TEXT_MAX;
        varint(length);
        out.append(value, 0, length);
    }
    void field(double value) { real(value); }
    void field(int32_t value) { signed_varint(value); }
    void ship(const Ship& s) {
        for_each_ship_field(s, [this](auto value) { field(value); });
    }
    void settings(const ReplaySettings& s) {
        for (int32_t value : {s.sfx, s.music, s.sfxvol, s.musicvol, s.stars_on}) signed_varint(value);
    }
    // One record after one of frame `*frame` with the steering values `*known`.
    void record(const InputRecord& record, long* frame, SteeringValues* known) {
        varint(static_cast<uint64_t>(record.frame - *frame));
        *frame = record.frame;
        byte(static_cast<unsigned>(record.handler));
        if (record.handler != INPUT_STEERING) return varint(static_cast<uint64_t>(record.key));
        const SteeringValues& s = record.steering;
        unsigned flags = 0;
        if (memcmp(&s.stick_x, &known->stick_x, sizeof s.stick_x) != 0) flags |= STEER_STICK_X;
        if (memcmp(&s.stick_y, &known->stick_y, sizeof s.stick_y) != 0) flags |= STEER_STICK_Y;
        if (s.tilt_active != known->tilt_active) flags |= STEER_TILT_ACTIVE;
        if (s.tilt_pitch != known->tilt_pitch) flags |= STEER_PITCH;
        if (s.tilt_roll != known->tilt_roll) flags |= STEER_ROLL;
        if (flags == 0) flags = STEER_TILT_ACTIVE;  // a record says at least one value
        byte(flags);
        if (flags & STEER_STICK_X) real(s.stick_x);
        if (flags & STEER_STICK_Y) real(s.stick_y);
        if (flags & STEER_TILT_ACTIVE) signed_varint(s.tilt_active);
        if (flags & STEER_PITCH) signed_varint(s.tilt_pitch);
        if (flags & STEER_ROLL) signed_varint(s.tilt_roll);
        *known = s;
    }
};

// ---- Reading ----

// Reads forward through the bytes; the first fault sticks and every read after
// it yields zeros, so a caller checks once at the end of a part.
struct Reader {
    const unsigned char* at;
    const unsigned char* end;
    const char* fault = nullptr;

    void fail(const char* why) {
        if (!fault) fault = why;
        at = end;
    }
    unsigned byte() {
        if (at == end) {
            fail("truncated");
            return 0;
        }
        return *at++;
    }
    uint64_t varint() {
        uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const unsigned b = byte();
            if (fault) return 0;
            value |= static_cast<uint64_t>(b & 0x7f) << shift;
            if ((b & 0x80) == 0) return value;
        }
        fail("damaged: a number runs on too long");
        return 0;
    }
    int64_t signed_varint() {
        const uint64_t zigzag = varint();
        return static_cast<int64_t>(zigzag >> 1) ^ -static_cast<int64_t>(zigzag & 1);
    }
    int32_t int32(const char* what) {
        const int64_t value = signed_varint();
        if (value < INT32_MIN || value > INT32_MAX) fail(what);
        return fault ? 0 : static_cast<int32_t>(value);
    }
    uint64_t fixed64() {
        uint64_t value = 0;
        for (int i = 0; i < 8; ++i) value |= static_cast<uint64_t>(byte()) << (8 * i);
        return value;
    }
    double real(const char* what) {
        const uint64_t bits = fixed64();
        double value;
        memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) fail(what);
        return fault ? 0.0 : value;
    }
    std::string text() {
        const uint64_t length = varint();
        if (length > REPLAY_TEXT_MAX) fail("damaged: a text is too long");
        if (fault) return std::string();
        if (length > static_cast<uint64_t>(end - at)) {
            fail("truncated");
            return std::string();
        }
        std::string value(reinterpret_cast<const char*>(at), length);
        at += length;
        return value;
    }
    double bounded_real(const char* what) {
        const double value = real(what);
        if (std::fabs(value) > START_VALUE_LIMIT) fail("damaged: a start value is out of range");
        return value;
    }
    int32_t bounded_int32(const char* what) {
        const int32_t value = int32(what);
        if (std::fabs(static_cast<double>(value)) > START_VALUE_LIMIT) fail(what);
        return value;
    }
    void field(double* value, const char* what) { *value = bounded_real(what); }
    void field(int32_t* value, const char* what) { *value = bounded_int32(what); }
    void ship(Ship* s, const char* what) {
        for_each_ship_field(*s, [this, what](auto& value) { field(&value, what); });
    }
};

int32_t start_int(const ReplayStart& start, const char* name) {
    for (size_t i = 0; i < sizeof INT_NAMES / sizeof INT_NAMES[0]; ++i)
        if (strcmp(INT_NAMES[i], name) == 0) return start.ints[i];
    return 0;
}

double start_double(const ReplayStart& start, const char* name) {
    for (size_t i = 0; i < sizeof DOUBLE_NAMES / sizeof DOUBLE_NAMES[0]; ++i)
        if (strcmp(DOUBLE_NAMES[i], name) == 0) return start.doubles[i];
    return 0.0;
}

bool int_in_range(const char* name, int32_t value) {
    for (const IntRange& range : INT_RANGES)
        if (strcmp(range.name, name) == 0) return value >= range.lowest && value <= range.highest;
    return std::fabs(static_cast<double>(value)) <= START_VALUE_LIMIT;
}

void read_start(Reader& in, ReplayStart* start) {
    for (int i = 0; i < WORLD_INT_COUNT && !in.fault; ++i) {
        start->ints[i] = in.int32("damaged: a start value is out of range");
        if (!in.fault && !int_in_range(INT_NAMES[i], start->ints[i]))
            in.fail("damaged: a start value is out of range");
    }
    for (int i = 0; i < WORLD_DOUBLE_COUNT; ++i)
        start->doubles[i] = in.bounded_real("damaged: a start value is not a number");
    in.ship(&start->player, "damaged: the fighter's start values");
    in.ship(&start->nav_fighter, "damaged: the enemy fighter's start values");
}

bool key_fits(int handler, uint64_t key) {
    constexpr uint64_t HIGHEST_KEY = 255;  // keyboard characters and the toolkit's special keys
    // steer_x * HELD_VALUE_COUNT + steer_y
    if (handler == INPUT_STEER_AXES) return key < HELD_VALUE_COUNT * HELD_VALUE_COUNT;
    return key <= HIGHEST_KEY;
}

// As a stick's pace and a remote's whole degrees can be.
bool steering_fits(const SteeringValues& s) {
    return std::fabs(s.stick_x) <= 1.0 && std::fabs(s.stick_y) <= 1.0 && s.tilt_active >= 0 && s.tilt_active <= 1 &&
           s.tilt_pitch >= -180 && s.tilt_pitch <= 180 && s.tilt_roll >= -180 && s.tilt_roll <= 180;
}

void read_steering(Reader& in, SteeringValues* steering) {
    const unsigned flags = in.byte();
    if (flags == 0 || flags > STEER_ALL) return in.fail("damaged: a steering record");
    constexpr const char* BAD = "damaged: a steering value is out of range";
    if (flags & STEER_STICK_X) steering->stick_x = in.real(BAD);
    if (flags & STEER_STICK_Y) steering->stick_y = in.real(BAD);
    if (flags & STEER_TILT_ACTIVE) steering->tilt_active = in.int32(BAD);
    if (flags & STEER_PITCH) steering->tilt_pitch = in.int32(BAD);
    if (flags & STEER_ROLL) steering->tilt_roll = in.int32(BAD);
    if (!steering_fits(*steering)) in.fail(BAD);
}

void read_settings(Reader& in, ReplaySettings* s) {
    // Any value settings.cfg may hold: the game treats every one of them safely.
    for (int32_t* value : {&s->sfx, &s->music, &s->sfxvol, &s->musicvol, &s->stars_on})
        *value = in.int32("damaged: a setting is out of range");
}

void read_checkpoints(Reader& in, Replay* replay) {
    const uint64_t interval = in.varint();
    const uint64_t count = in.varint();
    if (in.fault) return;
    if (interval == 0 || interval > static_cast<uint64_t>(REPLAY_MAX_FRAMES))
        return in.fail("damaged: the checkpoint interval");
    replay->checkpoint_interval = static_cast<long>(interval);
    if (count != static_cast<uint64_t>(replay_checkpoint_count(replay->last_frame, replay->checkpoint_interval)))
        return in.fail("damaged: the checkpoints do not fit the game's length");
    if (count > static_cast<uint64_t>(in.end - in.at) / 8) return in.fail("truncated");
    replay->checkpoints.resize(count);
    for (uint64_t& digest : replay->checkpoints) digest = in.fixed64();
}

void read_records(Reader& in, Replay* replay) {
    const uint64_t count = in.varint();
    // Every record takes at least two bytes: a count beyond that is a lie.
    if (count > static_cast<uint64_t>(in.end - in.at) / 2) return in.fail("damaged: more records than bytes");
    replay->records.reserve(count);
    SteeringValues steering = start_steering(replay->start);
    long frame = 0;
    for (uint64_t i = 0; i < count && !in.fault; ++i) {
        InputRecord record{};
        const uint64_t delta = in.varint();
        if (delta > static_cast<uint64_t>(replay->last_frame - frame)) return in.fail("damaged: a record after the end");
        frame += static_cast<long>(delta);
        record.frame = frame;
        record.handler = static_cast<int>(in.byte());
        if (record.handler >= INPUT_HANDLER_COUNT) return in.fail("damaged: an unknown record");
        if (record.handler == INPUT_STEERING) {
            read_steering(in, &steering);
            record.steering = steering;
        } else {
            const uint64_t key = in.varint();
            if (!in.fault && !key_fits(record.handler, key)) return in.fail("damaged: a key out of range");
            record.key = static_cast<int>(key);
        }
        if (!in.fault) replay->records.push_back(record);
    }
}

}  // namespace

const int WORLD_INT_COUNT = sizeof INT_NAMES / sizeof INT_NAMES[0];
const int WORLD_DOUBLE_COUNT = sizeof DOUBLE_NAMES / sizeof DOUBLE_NAMES[0];
static_assert(sizeof INT_NAMES / sizeof INT_NAMES[0] <= WORLD_INT_CAPACITY, "room for every int scalar");
static_assert(sizeof DOUBLE_NAMES / sizeof DOUBLE_NAMES[0] <= WORLD_DOUBLE_CAPACITY, "room for every double");

SteeringValues start_steering(const ReplayStart& start) {
    return SteeringValues{start_double(start, "stick_steer_x"), start_double(start, "stick_steer_y"),
                          start_int(start, "tilt_active"), start_int(start, "tilt_pitch"),
                          start_int(start, "tilt_roll")};
}

void capture_replay_start(ReplayStart* start) {
    *start = ReplayStart{};
    int i = 0, d = 0;
#define REPLAY_CAPTURE_INT(name) start->ints[i++] = ::name;
#define REPLAY_CAPTURE_DOUBLE(name) start->doubles[d++] = ::name;
    WORLD_INT_SCALARS(REPLAY_CAPTURE_INT)
    WORLD_DOUBLE_SCALARS(REPLAY_CAPTURE_DOUBLE)
#undef REPLAY_CAPTURE_INT
#undef REPLAY_CAPTURE_DOUBLE
    start->player = player;
    start->nav_fighter = nav_fighter;
}

void restore_replay_start(const ReplayStart& start) {
    int i = 0, d = 0;
#define REPLAY_RESTORE_INT(name) ::name = start.ints[i++];
#define REPLAY_RESTORE_DOUBLE(name) ::name = start.doubles[d++];
    WORLD_INT_SCALARS(REPLAY_RESTORE_INT)
    WORLD_DOUBLE_SCALARS(REPLAY_RESTORE_DOUBLE)
#undef REPLAY_RESTORE_INT
#undef REPLAY_RESTORE_DOUBLE
    player = start.player;
    nav_fighter = start.nav_fighter;
}

std::string this_game_version() { return GAME_VERSION; }

std::string this_build_identity() {
    // What decides the world's arithmetic: the compiler, the processor family
    // and the C library's maths.
#if defined(__x86_64__)
    const char* processor = "x86_64";
#elif defined(__aarch64__)
    const char* processor = "aarch64";
#else
    const char* processor = "other";
#endif
    return std::string("compiler ") + __VERSION__ + ", " + processor + ", glibc " + gnu_get_libc_version();
}

std::string encode_replay(const Replay& replay) {
    Writer w;
    w.out.append(MAGIC, sizeof MAGIC);
    w.byte(static_cast<unsigned>(replay.format));
    w.text(replay.game_version);
    if (replay.format >= 2)
        w.fixed64(replay.rules_fingerprint);
    else
        w.text(replay.build_identity);
    w.text(replay.profile);
    w.varint(static_cast<uint64_t>(replay.fighter));
    w.signed_varint(replay.date);
    w.signed_varint(replay.final_score);
    w.fixed64(replay.final_digest);
    w.varint(replay.seed);
    w.varint(static_cast<uint64_t>(replay.last_frame));
    if (replay.format >= 2) w.settings(replay.settings);
    for (int i = 0; i < WORLD_INT_COUNT; ++i) w.signed_varint(replay.start.ints[i]);
    for (int i = 0; i < WORLD_DOUBLE_COUNT; ++i) w.real(replay.start.doubles[i]);
    w.ship(replay.start.player);
    w.ship(replay.start.nav_fighter);
    if (replay.format >= 2) {
        w.varint(static_cast<uint64_t>(replay.checkpoint_interval));
        w.varint(replay.checkpoints.size());
        for (uint64_t digest : replay.checkpoints) w.fixed64(digest);
    }

    w.varint(replay.records.size());
    SteeringValues known = start_steering(replay.start);
    long frame = 0;
    for (const InputRecord& record : replay.records) w.record(record, &frame, &known);
    return w.out;
}

size_t replay_record_bytes(const InputRecord& record, long* frame, SteeringValues* known) {
    Writer w;
    w.record(record, frame, known);
    return w.out.size();
}

long replay_checkpoint_count(long last_frame, long interval) {
    return last_frame > 0 ? (last_frame - 1) / interval + 1 : 0;
}

std::string replay_identity_refusal(const Replay& header) {
    // Whatever its version or compiler, a game with the same rules flies a replay alike.
    if (header.format >= 2)
        return header.rules_fingerprint == rules_fingerprint() ? std::string()
                                                                 : "made by a game whose rules differ from this one's";
    if (header.game_version != this_game_version())
        return "made by another version of the game (" + printable_text(header.game_version, SHOWN_TEXT_CHARACTERS) +
               ")";
    if (header.build_identity != this_build_identity())
        return "made by another build of the game (" + printable_text(header.build_identity, SHOWN_TEXT_CHARACTERS) +
               ")";
    return std::string();
}

bool decode_replay(const unsigned char* data, size_t size, Replay* replay, std::string* why) {
    *replay = Replay{};
    if (size > REPLAY_MAX_BYTES) return *why = "too large to be a replay", false;
    if (size < sizeof MAGIC || memcmp(data, MAGIC, sizeof MAGIC) != 0) return *why = "not a replay file", false;
    Reader in{data + sizeof MAGIC, data + size};
    const unsigned format = in.byte();
    if (in.fault) return *why = in.fault, false;
    if (format < REPLAY_FORMAT_OLDEST || format > REPLAY_FORMAT_VERSION)
        return *why = "made in replay format " + std::to_string(format) + ", this game reads formats " +
                      std::to_string(REPLAY_FORMAT_OLDEST) + " to " + std::to_string(REPLAY_FORMAT_VERSION), false;
    replay->format = static_cast<int>(format);
    replay->game_version = in.text();
    if (replay->format >= 2)
        replay->rules_fingerprint = in.fixed64();
    else
        replay->build_identity = in.text();
    if (in.fault) return *why = in.fault, false;
    *why = replay_identity_refusal(*replay);
    if (!why->empty()) return false;
    replay->profile = in.text();
    const uint64_t fighter = in.varint();
    replay->date = in.signed_varint();
    replay->final_score = in.int32("damaged: the final score");
    replay->final_digest = in.fixed64();
    const uint64_t seed = in.varint();
    const uint64_t last_frame = in.varint();
    if (in.fault) return *why = in.fault, false;
    if (fighter >= PLAYER_SHIP_COUNT) return *why = "damaged: no such fighter", false;
    if (seed > UINT32_MAX) return *why = "damaged: the seed", false;
    if (last_frame > static_cast<uint64_t>(REPLAY_MAX_FRAMES)) return *why = "damaged: the game is too long", false;
    replay->fighter = static_cast<int>(fighter);
    replay->seed = static_cast<uint32_t>(seed);
    replay->last_frame = static_cast<long>(last_frame);
    if (replay->format >= 2) read_settings(in, &replay->settings);
    read_start(in, &replay->start);
    if (in.fault) return *why = in.fault, false;
    if (!steering_fits(start_steering(replay->start))) return *why = "damaged: a start value is out of range", false;
    if (start_int(replay->start, "selected_ship") != replay->fighter) return *why = "damaged: the fighter does not match", false;
    if (replay->format >= 2) read_checkpoints(in, replay);
    if (in.fault) return *why = in.fault, false;
    read_records(in, replay);
    if (in.fault) return *why = in.fault, false;
    if (in.at != in.end) return *why = "damaged: bytes after the last record", false;
    return true;
}

bool read_replay_file(const std::string& path, Replay* replay, std::string* why) {
    // Without waiting: opening a FIFO for reading would wait for a writer that
    // may never come. Only a regular file is read; a FIFO, a device or a
    // folder is refused before a byte of it is read.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return *why = std::string("cannot open it (") + strerror(errno) + ")", false;
    struct stat about;
    std::string bytes;
    bool readable = fstat(fd, &about) == 0 && S_ISREG(about.st_mode);
    if (!readable) {
        *why = "not a regular file";
    } else if (static_cast<uint64_t>(about.st_size) > REPLAY_MAX_BYTES) {
        *why = "too large to be a replay";
        readable = false;
    } else {
        // One byte more than it claims, to see a file that grew since.
        bytes.resize(static_cast<size_t>(about.st_size) + 1);
        size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = read(fd, &bytes[got], bytes.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;  // its end, or a fault: what was read is judged
            got += static_cast<size_t>(n);
        }
        bytes.resize(got);
    }
    close(fd);
    if (!readable) return false;
    return decode_replay(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), replay, why);
}
