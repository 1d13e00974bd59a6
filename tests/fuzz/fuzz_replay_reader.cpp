// Fuzz target: any file offered as a replay is read without harm, and one the
// reader accepts writes back to bytes that read as the same replay.
//
// Each input is read twice: as a whole file, and as the part after the header's
// rules fingerprint behind this build's own header. A file made by a game with
// other rules is refused at its fingerprint, so only the second reading
// reaches the rest.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "persist/replay_file.h"
#include "stage/rules_fingerprint.h"

namespace {

std::string own_header_prefix() {
    Replay empty;
    empty.game_version = this_game_version();
    empty.rules_fingerprint = rules_fingerprint();
    const std::string whole = encode_replay(empty);
    // The prefix runs up to the profile: magic, format, the version's text (a
    // one-byte length), the fingerprint.
    return whole.substr(0, 5 + 1 + empty.game_version.size() + sizeof empty.rules_fingerprint);
}

void read_and_write_back(const uint8_t* data, size_t size) {
    Replay replay;
    std::string why;
    if (!decode_replay(data, size, &replay, &why)) {
        if (why.empty()) abort();  // a refusal always says why
        return;
    }
    const std::string written = encode_replay(replay);
    Replay again;
    if (!decode_replay(reinterpret_cast<const uint8_t*>(written.data()), written.size(), &again, &why)) abort();
    if (encode_replay(again) != written) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    read_and_write_back(data, size);
    static const std::string prefix = own_header_prefix();
    std::string framed = prefix;
    framed.append(reinterpret_cast<const char*>(data), size);
    read_and_write_back(reinterpret_cast<const uint8_t*>(framed.data()), framed.size());
    return 0;
}
