#include "render/textures.h"

#include <GL/freeglut.h>

#include <algorithm>

#include "app/screen_state.h"
#include "input/gamepad.h"
#include "input/wiimote.h"
#include "render/visible_texels.h"

namespace {

struct TextureFile {
    int id;
    const char* path;
};

const TextureFile LOGO_INTRO_SET[] = {
    {0, "./tex/tex_logo_mirel.tga"},
    {1, "./tex/tex_logo_gl.tga"},
    {2, "./tex/tex_logo_fmod.tga"},
};

const TextureFile MAIN_MENU_SET[] = {
    {0, "./tex/tex_logo_kro.tga"},     {1, "./tex/tex_pointer.tga"},
    {2, "./tex/tex_menu_main1.tga"},   {3, "./tex/tex_menu_main2.tga"},
    {4, "./tex/tex_menu_main3.tga"},   {5, "./tex/tex_menu_main4.tga"},
    {6, "./tex/tex_menu_main5.tga"},   {7, "./tex/tex_menu_main6.tga"},
};

const TextureFile SETTINGS_SET[] = {
    {0, "./tex/tex_logo_kro.tga"},
    {1, "./tex/tex_pointer.tga"},
    {2, "./tex/tex_menu_settings_sound.tga"},
    {3, "./tex/tex_menu_settings_music.tga"},
    {4, "./tex/tex_menu_settings_off.tga"},
    {5, "./tex/tex_menu_settings_on.tga"},
    {7, "./tex/tex_menu_settings_sound_volume.tga"},
    {8, "./tex/tex_menu_settings_music_volume.tga"},
    {9, "./tex/tex_menu_settings_video.tga"},
    {10, "./tex/tex_menu_settings_windowed.tga"},
    {11, "./tex/tex_menu_settings_full_screen.tga"},
    {12, "./tex/tex_menu_settings_restart.tga"},
    {13, "./tex/tex_menu_settings_controls.tga"},
    {100, "./tex/tex_alfa_0.tga"},
    {101, "./tex/tex_alfa_1.tga"},
    {102, "./tex/tex_alfa_2.tga"},
    {103, "./tex/tex_alfa_3.tga"},
    {104, "./tex/tex_alfa_4.tga"},
    {105, "./tex/tex_alfa_5.tga"},
    {106, "./tex/tex_alfa_6.tga"},
    {107, "./tex/tex_alfa_7.tga"},
    {108, "./tex/tex_alfa_8.tga"},
    {109, "./tex/tex_alfa_9.tga"},
};

const TextureFile CONTROLS_SET[] = {
    {0, "./tex/tex_logo_kro.tga"},
    {1, "./tex/tex_menu_keys_wii.tga"},
    {2, "./tex/tex_menu_keys.tga"},
};

// The same for a player with a pad and no remote: the pad's layout where the
// remote's would be.
const TextureFile CONTROLS_PAD_SET[] = {
    {0, "./tex/tex_logo_kro.tga"},
    {1, PAD_LAYOUT_PICTURE},
    {2, "./tex/tex_menu_keys.tga"},
};

const TextureFile SHIP_SELECT_SET[] = {
    {0, "./tex/tex_ship_pilvet_big.tga"},  {1, "./tex/tex_ship_vesker_big.tga"},
    {2, "./tex/tex_ship_brantor_big.tga"}, {3, "./tex/tex_text_select_ship.tga"},
    {4, "./tex/tex_text_ship_pilvet.tga"}, {5, "./tex/tex_text_ship_vesker.tga"},
    {6, "./tex/tex_text_ship_brantor.tga"},
};

const TextureFile STAGE_SELECT_SET[] = {
    {0, "./tex/tex_logo_kro.tga"},
    {1, "./tex/tex_pointer.tga"},
    {2, "./tex/tex_text_message_stage1.tga"},
};

const TextureFile HIGH_SCORES_SET[] = {
    {0, "./tex/tex_logo_kro.tga"},
    {1, "./tex/tex_menu_scores.tga"},
};

const TextureFile CREDITS_SET[] = {
    {0, "./tex/tex_logo_mirel.tga"},
};

const TextureFile NAV1_SET[] = {
    {0, "./tex/tex_ship_pilvet.tga"},
    {1, "./tex/tex_ship_vesker.tga"},
    {2, "./tex/tex_ship_brantor.tga"},
    {4, "./tex/tex_back_rock1.tga"},
    {5, "./tex/tex_back_rock2.tga"},
    {6, "./tex/tex_back_rock3.tga"},
    {7, "./tex/tex_maps_stage1_1.tga"},
    {8, "./tex/tex_ship_shield.tga"},
    {517, "./tex/tex_gun_laser.tga"},
    {518, "./tex/tex_gun_ion.tga"},
    {519, "./tex/tex_gun_neutron.tga"},
    {516, "./tex/tex_text_message_stage1.tga"},
    {515, "./tex/tex_text_message_nav_complete.tga"},
    {514, "./tex/tex_text_message_game_over.tga"},
    {513, "./tex/tex_hud.tga"},
    {512, "./tex/tex_text_message_quit.tga"},
};

const TextureFile NAV2_SET[] = {
    {0, "./tex/tex_ship_pilvet.tga"},
    {1, "./tex/tex_ship_vesker.tga"},
    {2, "./tex/tex_ship_brantor.tga"},
    {4, "./tex/tex_back_rock1.tga"},
    {7, "./tex/tex_maps_stage1_2.tga"},
    {8, "./tex/tex_ship_shield.tga"},
    {9, "./tex/tex_ship_gorrak.tga"},
    {517, "./tex/tex_gun_laser.tga"},
    {518, "./tex/tex_gun_ion.tga"},
    {519, "./tex/tex_gun_neutron.tga"},
    {515, "./tex/tex_text_message_nav_complete.tga"},
    {514, "./tex/tex_text_message_game_over.tga"},
    {513, "./tex/tex_hud.tga"},
    {512, "./tex/tex_text_message_quit.tga"},
};

struct TextureSet {
    const TextureFile* files;
    int count;
};

template <int N>
constexpr TextureSet set_of(const TextureFile (&files)[N]) {
    return {files, N};
}

TextureSet texture_set(int state) {
    switch (state) {
        case STATE_LOGO_INTRO: return set_of(LOGO_INTRO_SET);
        case STATE_MAIN_MENU: return set_of(MAIN_MENU_SET);
        case STATE_SHIP_SELECT: return set_of(SHIP_SELECT_SET);
        case STATE_NAV1: return set_of(NAV1_SET);
        case STATE_NAV2: return set_of(NAV2_SET);
        case STATE_SETTINGS: return set_of(SETTINGS_SET);
        case STATE_STAGE_SELECT: return set_of(STAGE_SELECT_SET);
        case STATE_CREDITS: return set_of(CREDITS_SET);
        case STATE_HIGH_SCORES: return set_of(HIGH_SCORES_SET);
        case STATE_CONTROLS: return set_of(CONTROLS_SET);
        default: return {nullptr, 0};
    }
}

// A pad player without a remote would find on the controls screen only
// buttons they do not hold.
bool pad_layout_wanted(int state) { return state == STATE_CONTROLS && gamepad_connected() && !wiimote_polling(); }

bool is_texture_size(int size) {
    return size >= 2 && size <= 512 && (size & (size - 1)) == 0;
}

int gl_format(int depth) {
    switch (depth) {
        case 32: return GL_RGBA;
        case 24: return GL_RGB;
        default: return GL_ALPHA;  // 8 bits: a mask, coloured by the current drawing colour
    }
}

}  // namespace

bool read_tga(FILE* file, TgaPicture* out) {
    *out = TgaPicture();
    unsigned char head[3];
    unsigned char image_spec[6];  // width, height, depth, descriptor
    if (fread(head, 1, sizeof head, file) != sizeof head) return false;
    if (fseek(file, 12, SEEK_SET) != 0) return false;
    if (fread(image_spec, 1, sizeof image_spec, file) != sizeof image_spec) return false;

    const int colour_map_type = head[1];
    const int image_type = head[2];
    const int width = image_spec[0] | image_spec[1] << 8;
    const int height = image_spec[2] | image_spec[3] << 8;
    const int depth = image_spec[4];
    if (colour_map_type != 0) return false;
    if (image_type != 2 && image_type != 3) return false;  // uncompressed colour or grey only
    if (!is_texture_size(width) || !is_texture_size(height)) return false;
    if (depth != 8 && depth != 24 && depth != 32) return false;

    // The pixels follow the 18-byte header directly (any ID field is read as pixels).
    const size_t bytes = static_cast<size_t>(width) * height * (depth / 8);
    std::vector<unsigned char> pixels(bytes);
    if (fread(pixels.data(), 1, bytes, file) != bytes) return false;

    // TGA stores blue, green, red: swap to red, green, blue.
    const int stride = depth / 8;
    if (stride >= 3) {
        for (size_t i = 0; i + 2 < bytes; i += stride) std::swap(pixels[i], pixels[i + 2]);
    }
    out->width = width;
    out->height = height;
    out->depth = depth;
    out->pixels = std::move(pixels);
    return true;
}

void (*texture_file_watcher)(const char* path, int id) = nullptr;

int load_tga_texture(const char* path, int id) {
    // Read-only: the game folder may be installed where the player cannot write.
    FILE* file = fopen(path, "rb");
    if (!file) return TGA_NOT_OPENED;
    TgaPicture picture;
    const bool ok = read_tga(file, &picture);
    fclose(file);
    if (!ok) return TGA_REFUSED;

    const int format = gl_format(picture.depth);
    glBindTexture(GL_TEXTURE_2D, id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexImage2D(GL_TEXTURE_2D, 0, format, picture.width, picture.height, 0, format, GL_UNSIGNED_BYTE,
                 picture.pixels.data());
    note_visible_area(id, picture);
    if (texture_file_watcher) texture_file_watcher(path, id);
    return TGA_LOADED;
}

void load_state_textures(int state) {
    const TextureSet set = pad_layout_wanted(state) ? set_of(CONTROLS_PAD_SET) : texture_set(state);
    for (int i = 0; i < set.count; ++i) load_tga_texture(set.files[i].path, set.files[i].id);
}

int state_texture_count(int state) { return texture_set(state).count; }

const char* state_texture_path(int state, int index) {
    const TextureSet set = texture_set(state);
    return index >= 0 && index < set.count ? set.files[index].path : nullptr;
}

int state_texture_id(int state, int index) {
    const TextureSet set = texture_set(state);
    return index >= 0 && index < set.count ? set.files[index].id : -1;
}
