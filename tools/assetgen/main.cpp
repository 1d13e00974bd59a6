// assetgen: writes every picture, sound effect, voice line and song the game
// names into a game folder (tex/, sfx/, mus/). Same input, same bytes.
// The desktop icon is not part of the game folder: only `--only icons` writes
// it, as an icon theme's hicolor/ tree under OUTPUT_DIR.
//
//   assetgen OUTPUT_DIR [--fonts DIR] [--only tex|sfx|mus|icons]
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "pictures.h"
#include "sounds.h"

#ifndef ASSETGEN_FONT_DIR
#define ASSETGEN_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

namespace {

bool make_dir(const std::string& path) { return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST; }

bool write_pictures(const std::string& dir) {
    std::vector<Picture> pictures;
    add_text_pictures(pictures);
    add_logo_pictures(pictures);
    add_ship_pictures(pictures);
    add_world_pictures(pictures);
    add_panel_pictures(pictures);
    add_controls_pictures(pictures);
    bool ok = true;
    for (const Picture& p : pictures) {
        Canvas c(p.texture_w, p.texture_h, p.screen_w, p.screen_h);
        p.draw(c);
        if (p.soften) soften(c);
        if (!write_tga(c, dir + "/" + p.name, p.alpha_only)) {
            std::fprintf(stderr, "assetgen: cannot write %s/%s\n", dir.c_str(), p.name.c_str());
            ok = false;
        }
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    std::string out_dir, font_dir = ASSETGEN_FONT_DIR, only;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--fonts") == 0 && i + 1 < argc) {
            font_dir = argv[++i];
        } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            only = argv[++i];
        } else if (out_dir.empty() && argv[i][0] != '-') {
            out_dir = argv[i];
        } else {
            out_dir.clear();
            break;
        }
    }
    if (out_dir.empty()) {
        std::fprintf(stderr, "usage: assetgen OUTPUT_DIR [--fonts DIR] [--only tex|sfx|mus|icons]\n");
        return 2;
    }
    if (!make_dir(out_dir)) {
        std::fprintf(stderr, "assetgen: cannot create %s\n", out_dir.c_str());
        return 1;
    }
    if (only == "icons") return write_icons(out_dir) ? 0 : 1;
    bool ok = true;
    if (only.empty() || only == "tex") {
        if (!text_open(font_dir)) {
            std::fprintf(stderr, "assetgen: fonts missing in %s\n", font_dir.c_str());
            return 1;
        }
        ok = make_dir(out_dir + "/tex") && write_pictures(out_dir + "/tex") && ok;
        text_close();
    }
    if (only.empty() || only == "sfx") ok = make_dir(out_dir + "/sfx") && write_effects(out_dir + "/sfx") && ok;
    if (only.empty() || only == "mus") ok = make_dir(out_dir + "/mus") && write_music(out_dir + "/mus") && ok;
    return ok ? 0 : 1;
}
