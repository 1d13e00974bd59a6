#include "soundfont.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>

namespace {

using Bytes = std::vector<uint8_t>;

// Record sizes of the preset-data lists, and the generators that point at
// another list: a preset zone's instrument, an instrument zone's sample.
constexpr size_t PRESET_RECORD = 38, BAG_RECORD = 4, MOD_RECORD = 10, GEN_RECORD = 4;
constexpr size_t INSTRUMENT_RECORD = 22, SAMPLE_RECORD = 46;
constexpr int GEN_INSTRUMENT = 41, GEN_SAMPLE_ID = 53;
// Zero points the format asks for after every sample; interpolation reads them.
constexpr uint32_t SAMPLE_GUARD_POINTS = 46;
constexpr uint16_t SAMPLE_TYPE_ROM = 0x8000, SAMPLE_TYPES_LINKED = 2 | 4 | 8;

struct Span {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

uint16_t get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t get32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
void set16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void set32(uint8_t* p, uint32_t v) {
    set16(p, v);
    set16(p + 2, v >> 16);
}
void put16(Bytes& out, uint32_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void put32(Bytes& out, uint32_t v) {
    put16(out, v);
    put16(out, v >> 16);
}

// The chunks inside a RIFF list body, by four-character id.
std::map<std::string, Span> chunks_of(Span body) {
    std::map<std::string, Span> found;
    size_t at = 0;
    while (at + 8 <= body.size) {
        const uint32_t size = get32(body.data + at + 4);
        if (size > body.size - at - 8) break;
        std::string id(reinterpret_cast<const char*>(body.data + at), 4);
        if (id == "LIST" && size >= 4) id += std::string(reinterpret_cast<const char*>(body.data + at + 8), 4);
        found[id] = {body.data + at + (id.size() > 4 ? 12 : 8), size - (id.size() > 4 ? 4 : 0)};
        at += 8 + size + (size & 1);
    }
    return found;
}

void put_chunk(Bytes& out, const char* id, const Bytes& body) {
    out.insert(out.end(), id, id + 4);
    put32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() & 1) out.push_back(0);
}

Bytes list_chunk(const char* kind, const Bytes& body) {
    Bytes out(kind, kind + 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// One level of the hierarchy (presets over their zones, instruments over theirs).
struct Level {
    Span headers, bags, mods, gens;
    size_t header_size;
    int reference;  // the generator that names a record of the level below

    size_t count() const { return headers.size / header_size - 1; }  // less the terminal record
    const uint8_t* header(size_t i) const { return headers.data + i * header_size; }
    uint16_t first_bag(size_t i) const { return get16(header(i) + header_size - (header_size == PRESET_RECORD ? 14 : 2)); }

    bool valid() const {
        if (headers.size % header_size || headers.size < header_size || bags.size % BAG_RECORD || !bags.size ||
            mods.size % MOD_RECORD || gens.size % GEN_RECORD)
            return false;
        const size_t bag_count = bags.size / BAG_RECORD;
        for (size_t i = 0; i <= count(); ++i)
            if (first_bag(i) >= bag_count || (i > 0 && first_bag(i) < first_bag(i - 1))) return false;
        for (size_t b = 0; b < bag_count; ++b) {
            const uint8_t* bag = bags.data + b * BAG_RECORD;
            if (get16(bag) > gens.size / GEN_RECORD || get16(bag + 2) > mods.size / MOD_RECORD) return false;
            if (b > 0 && (get16(bag) < get16(bag - BAG_RECORD) || get16(bag + 2) < get16(bag - BAG_RECORD + 2)))
                return false;
        }
        return true;
    }

    // Calls `use` with the amount of every reference generator of header i.
    void each_reference(size_t i, const std::function<void(uint16_t)>& use) const {
        const size_t gen_from = get16(bags.data + first_bag(i) * BAG_RECORD);
        const size_t gen_to = get16(bags.data + first_bag(i + 1) * BAG_RECORD);
        for (size_t g = gen_from; g < gen_to; ++g)
            if (get16(gens.data + g * GEN_RECORD) == reference) use(get16(gens.data + g * GEN_RECORD + 2));
    }

    // The kept headers with their zones, references renumbered by `renumber`;
    // returns the four lists (headers, bags, mods, gens) of the new file.
    std::vector<Bytes> cut(const std::vector<size_t>& kept, const std::map<uint16_t, uint16_t>& renumber) const {
        Bytes new_headers, new_bags, new_mods, new_gens;
        auto add_header = [&](size_t i) {
            const size_t at = new_headers.size();
            new_headers.insert(new_headers.end(), header(i), header(i) + header_size);
            set16(new_headers.data() + at + header_size - (header_size == PRESET_RECORD ? 14 : 2),
                  static_cast<uint32_t>(new_bags.size() / BAG_RECORD));
        };
        for (size_t i : kept) {
            add_header(i);
            for (size_t b = first_bag(i); b < first_bag(i + 1); ++b) {
                const uint8_t* bag = bags.data + b * BAG_RECORD;
                put16(new_bags, static_cast<uint32_t>(new_gens.size() / GEN_RECORD));
                put16(new_bags, static_cast<uint32_t>(new_mods.size() / MOD_RECORD));
                new_mods.insert(new_mods.end(), mods.data + get16(bag + 2) * MOD_RECORD,
                                mods.data + get16(bag + BAG_RECORD + 2) * MOD_RECORD);
                for (size_t g = get16(bag); g < get16(bag + BAG_RECORD); ++g) {
                    const uint8_t* gen = gens.data + g * GEN_RECORD;
                    const uint16_t amount = get16(gen) == reference ? renumber.at(get16(gen + 2)) : get16(gen + 2);
                    put16(new_gens, get16(gen));
                    put16(new_gens, amount);
                }
            }
        }
        add_header(count());  // the terminal record closes the last zone list
        put16(new_bags, static_cast<uint32_t>(new_gens.size() / GEN_RECORD));
        put16(new_bags, static_cast<uint32_t>(new_mods.size() / MOD_RECORD));
        new_mods.insert(new_mods.end(), MOD_RECORD, 0);
        new_gens.insert(new_gens.end(), GEN_RECORD, 0);
        return {new_headers, new_bags, new_mods, new_gens};
    }
};

// Old index -> new index for the sorted set of kept indices.
std::map<uint16_t, uint16_t> renumbering(const std::set<uint16_t>& kept) {
    std::map<uint16_t, uint16_t> numbers;
    for (uint16_t old : kept) numbers.emplace(old, static_cast<uint16_t>(numbers.size()));
    return numbers;
}

}  // namespace

PresetSet presets_played(const std::vector<Song>& songs) {
    constexpr int PERCUSSION_CHANNEL = 9, PERCUSSION_BANK = 128;
    PresetSet presets;
    for (const Song& song : songs)
        for (const MidiTrack& track : song.tracks) {
            int program = 0;
            for (const MidiTrack::Event& event : track.events)
                if (event.bytes.size() == 2 && event.bytes[0] == (0xc0 | track.channel)) program = event.bytes[1];
            presets.insert({track.channel == PERCUSSION_CHANNEL ? PERCUSSION_BANK : 0, program});
        }
    return presets;
}

Bytes soundfont_subset(const Bytes& source, const PresetSet& keep) {
    if (source.size() < 12 || memcmp(source.data(), "RIFF", 4) != 0 || memcmp(source.data() + 8, "sfbk", 4) != 0)
        return {};
    auto top = chunks_of({source.data() + 12, std::min<size_t>(get32(source.data() + 4), source.size() - 8) - 4});
    if (!top.count("LISTINFO") || !top.count("LISTsdta") || !top.count("LISTpdta")) return {};
    auto sdta = chunks_of(top["LISTsdta"]);
    auto pdta = chunks_of(top["LISTpdta"]);
    for (const char* id : {"phdr", "pbag", "pmod", "pgen", "inst", "ibag", "imod", "igen", "shdr"})
        if (!pdta.count(id)) return {};
    if (!sdta.count("smpl")) return {};
    const Span smpl = sdta["smpl"], sm24 = sdta.count("sm24") ? sdta["sm24"] : Span{};
    const uint32_t total_points = static_cast<uint32_t>(smpl.size / 2);

    const Level presets{pdta["phdr"], pdta["pbag"], pdta["pmod"], pdta["pgen"], PRESET_RECORD, GEN_INSTRUMENT};
    const Level instruments{pdta["inst"], pdta["ibag"], pdta["imod"], pdta["igen"], INSTRUMENT_RECORD, GEN_SAMPLE_ID};
    const Span shdr = pdta["shdr"];
    if (!presets.valid() || !instruments.valid() || shdr.size % SAMPLE_RECORD || shdr.size < SAMPLE_RECORD) return {};
    const size_t sample_count = shdr.size / SAMPLE_RECORD - 1;

    // Presets asked for, the instruments they use, the samples those use.
    std::vector<size_t> kept_presets;
    PresetSet found;
    for (size_t p = 0; p < presets.count(); ++p) {
        const std::pair<int, int> id{get16(presets.header(p) + 22), get16(presets.header(p) + 20)};
        if (keep.count(id) && found.insert(id).second) kept_presets.push_back(p);
    }
    if (found != keep) return {};
    std::set<uint16_t> kept_instruments, kept_samples;
    bool references_valid = true;
    for (size_t p : kept_presets)
        presets.each_reference(p, [&](uint16_t i) {
            references_valid = references_valid && i < instruments.count();
            kept_instruments.insert(i);
        });
    for (uint16_t i : kept_instruments)
        if (i < instruments.count())
            instruments.each_reference(i, [&](uint16_t s) {
                references_valid = references_valid && s < sample_count;
                kept_samples.insert(s);
            });
    if (!references_valid) return {};
    // A stereo sample brings its other side.
    for (bool grew = true; grew;) {
        grew = false;
        for (uint16_t s : std::set<uint16_t>(kept_samples)) {
            const uint8_t* header = shdr.data + s * SAMPLE_RECORD;
            const uint16_t type = get16(header + 44), link = get16(header + 42);
            if (type & SAMPLE_TYPE_ROM) return {};
            if ((type & SAMPLE_TYPES_LINKED) && link < sample_count) grew = kept_samples.insert(link).second || grew;
        }
    }

    // The kept samples' points, each followed by its guard points as the source had them.
    const auto sample_numbers = renumbering(kept_samples);
    Bytes points, points24, new_shdr;
    for (uint16_t s : kept_samples) {
        const uint8_t* header = shdr.data + s * SAMPLE_RECORD;
        const uint32_t start = get32(header + 20), end = get32(header + 24);
        if (start > end || end > total_points) return {};
        const uint32_t new_start = static_cast<uint32_t>(points.size() / 2);
        const uint32_t copied_end = std::min(end + SAMPLE_GUARD_POINTS, total_points);
        points.insert(points.end(), smpl.data + size_t(start) * 2, smpl.data + size_t(copied_end) * 2);
        points.insert(points.end(), size_t(end + SAMPLE_GUARD_POINTS - copied_end) * 2, 0);
        if (sm24.size >= total_points) {
            points24.insert(points24.end(), sm24.data + start, sm24.data + copied_end);
            points24.insert(points24.end(), end + SAMPLE_GUARD_POINTS - copied_end, 0);
        }
        const size_t at = new_shdr.size();
        new_shdr.insert(new_shdr.end(), header, header + SAMPLE_RECORD);
        for (size_t field : {20, 24, 28, 32})  // start, end, loop start, loop end move together
            set32(new_shdr.data() + at + field, get32(header + field) - start + new_start);
        const uint16_t link = get16(header + 42);
        if (sample_numbers.count(link)) set16(new_shdr.data() + at + 42, sample_numbers.at(link));
    }
    new_shdr.insert(new_shdr.end(), shdr.data + sample_count * SAMPLE_RECORD, shdr.data + shdr.size);

    const std::vector<Bytes> preset_lists = presets.cut(kept_presets, renumbering(kept_instruments));
    const std::vector<Bytes> instrument_lists =
        instruments.cut(std::vector<size_t>(kept_instruments.begin(), kept_instruments.end()), sample_numbers);

    Bytes sample_data;
    put_chunk(sample_data, "smpl", points);
    if (!points24.empty()) put_chunk(sample_data, "sm24", points24);
    Bytes preset_data;
    const char* const ids[] = {"phdr", "pbag", "pmod", "pgen", "inst", "ibag", "imod", "igen"};
    for (int list = 0; list < 8; ++list)
        put_chunk(preset_data, ids[list], list < 4 ? preset_lists[list] : instrument_lists[list - 4]);
    put_chunk(preset_data, "shdr", new_shdr);

    Bytes body(reinterpret_cast<const uint8_t*>("sfbk"), reinterpret_cast<const uint8_t*>("sfbk") + 4);
    put_chunk(body, "LIST", list_chunk("INFO", Bytes(top["LISTINFO"].data, top["LISTINFO"].data + top["LISTINFO"].size)));
    put_chunk(body, "LIST", list_chunk("sdta", sample_data));
    put_chunk(body, "LIST", list_chunk("pdta", preset_data));
    Bytes file;
    put_chunk(file, "RIFF", body);
    return file;
}

bool write_song_soundfont(const std::string& path, const std::string& source_path, const std::vector<Song>& songs) {
    std::ifstream in(source_path, std::ios::binary);
    const Bytes source{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const Bytes subset = soundfont_subset(source, presets_played(songs));
    if (subset.empty()) {
        std::fprintf(stderr, "assetgen: %s is not a soundfont holding every preset the songs play\n",
                     source_path.c_str());
        return false;
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(subset.data()), static_cast<std::streamsize>(subset.size()));
    return static_cast<bool>(out.flush());
}
