// The logo intro: 283 frames of fade in, hold, fade out and black, then the
// main menu; everything it draws takes the fade's grey.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/game_values.h"
#include "app/screen_state.h"
#include "audio/sound.h"
#include "input/keys.h"
#include "menus/screens.h"
#include "persist/settings.h"
#include "render/textures.h"
#include "support/gl_pixels.h"
#include "support/scratch_dir.h"
#include "test_sound_support.h"

namespace {

constexpr int INTRO_FRAMES = 283;

// A grey picture in each of the intro's three ids: what the fade does to it shows in the pixels.
void load_grey_logos() {
    unsigned char px[2 * 2 * 3];
    for (unsigned char& byte : px) byte = 200;
    write_tga("logo.tga", 2, 2, 24, px);
    for (int id : {0, 1, 2}) ASSERT_EQ(load_tga_texture("logo.tga", id), TGA_LOADED);
}

struct LogoIntroTest : testing::Test {
    ScratchDir dir;
    void SetUp() override {
        set_game_start_values();
        music_started = 1;  // the display callback started the music on the first frame
        load_grey_logos();
    }
    // Draws one intro frame; returns the grey of the big logo's middle.
    static int frame() {
        begin_frame();
        draw_logo_intro();
        return pixel_at(0.5, 0.5).r;
    }
};

}  // namespace

TEST_F(LogoIntroTest, EndsAtTheEndOfFrame283AfterTurningAtFrame101) {
    int frames = 0;
    while (screen_state == STATE_LOGO_INTRO && frames < 1000) {
        frame();
        ++frames;
        if (frames == 100) {
            EXPECT_EQ(logo_fade_step, 1) << "still fading in after frame 100";
        }
        if (frames == 101) {
            EXPECT_EQ(logo_fade_step, -1) << "turned at the end of frame 101";
        }
        if (frames == 282) {
            EXPECT_EQ(music_started, 1);
        }
    }
    EXPECT_EQ(frames, INTRO_FRAMES);
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(music_started, 0) << "so the main menu starts its own music";
    EXPECT_NEAR(logo_fade, -0.81, 0.001);
}

TEST_F(LogoIntroTest, EachFrameIsDrawnWithTheBrightnessBeforeItsStep) {
    EXPECT_EQ(frame(), 0) << "frame 1 is black";
    EXPECT_FLOAT_EQ(logo_fade, 0.01f);
    for (int n = 2; n <= 50; ++n) frame();
    EXPECT_NEAR(frame(), 200 * 0.5, 2) << "frame 51 at half brightness";
    for (int n = 52; n <= 101; ++n) frame();
    EXPECT_EQ(frame(), 200) << "frame 102, above 1.0, is clamped to the picture itself";
    for (int n = 103; n <= 203; ++n) frame();
    EXPECT_EQ(frame(), 0) << "frame 204 is black again";
    EXPECT_LT(logo_fade, 0.0f);
}

TEST_F(LogoIntroTest, LogosAndSmallPrintStandWhereTheyBelong) {
    for (int n = 1; n <= 101; ++n) frame();
    frame();  // full brightness
    EXPECT_EQ(pixel_at(0.26, 0.36), rgb(200 / 255.0, 200 / 255.0, 200 / 255.0)) << "maker's logo";
    EXPECT_EQ(pixel_at(0.24, 0.5), rgb(0, 0, 0));
    EXPECT_EQ(pixel_at(0.96, 0.03), rgb(200 / 255.0, 200 / 255.0, 200 / 255.0)) << "graphics logo, bottom right";
    EXPECT_EQ(pixel_at(0.04, 0.11), rgb(200 / 255.0, 200 / 255.0, 200 / 255.0)) << "sound logo, bottom left";
    EXPECT_EQ(pixel_at(0.5, 0.2), rgb(0, 0, 0));
    // Three lines of white small print between the small logos, none above them.
    EXPECT_GT(lit_pixels(336, 33, 560, 45), 30) << "notice";
    EXPECT_GT(lit_pixels(176, 21, 600, 29), 30) << "disclaimer, first line";
    EXPECT_GT(lit_pixels(256, 12, 500, 19), 30) << "disclaimer, second line";
    EXPECT_EQ(lit_pixels(100, 80, 700, 200), 0);
}

TEST_F(LogoIntroTest, TheFirstFrameShowsNothing) {
    frame();
    EXPECT_EQ(lit_pixels(0, 0, 800, 600), 0);
}

TEST_F(LogoIntroTest, EscOnTheFirstFrameLeavesTheFadeWhereItWas) {
    frame();
    keyboard_callback(KEY_ESC, 0, 0);
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(music_started, 0);
    EXPECT_FLOAT_EQ(logo_fade, 0.01f);
    EXPECT_EQ(logo_fade_step, 1);
}

namespace {

// The whole intro through the display callback, with a loud tune standing in
// for the intro music.
struct IntroMusicTest : SoundTest {
    void SetUp() override {
        SoundTest::SetUp();
        std::filesystem::create_directories("mus");
        dir.write("mus/mus_logo.mp3", square_wave_wav(15000, 16000));
    }
};

}  // namespace

TEST_F(IntroMusicTest, TheMusicPlaysUntilTheLastFrameStopsAndFreesIt) {
    display_callback();  // the first frame starts it in the first ring slot
    EXPECT_NE(sound_ring[0], nullptr);
    EXPECT_GT(output_peak_over(200), AUDIBLE_PEAK);
    for (int frame = 2; frame <= INTRO_FRAMES; ++frame) display_callback();
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(sound_ring[0], nullptr);
    EXPECT_LT(output_peak_over(200), AUDIBLE_PEAK);
}

TEST_F(IntroMusicTest, WithEffectsOffTheIntroIsSilent) {
    sfx = 0;
    display_callback();
    EXPECT_EQ(sound_ring[0], nullptr);
    EXPECT_LT(output_peak_over(200), AUDIBLE_PEAK);
    EXPECT_EQ(screen_state, STATE_LOGO_INTRO);
}

TEST_F(IntroMusicTest, EscOnTheFirstFrameStopsTheMusic) {
    display_callback();
    ASSERT_GT(output_peak_over(200), AUDIBLE_PEAK);
    keyboard_callback(KEY_ESC, 0, 0);
    EXPECT_EQ(sound_ring[0], nullptr);
    EXPECT_LT(output_peak_over(200), AUDIBLE_PEAK);
    EXPECT_EQ(music_started, 0);

    display_callback();  // the next frame is the main menu's first
    EXPECT_EQ(screen_state, STATE_MAIN_MENU);
    EXPECT_EQ(textures_loaded, 1);
    EXPECT_STREQ(music_path, "./mus/mus_menu.mid");
}
