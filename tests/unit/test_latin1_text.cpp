// UTF-8 texts read as the bitmap fonts' Latin-1 codes.
#include <gtest/gtest.h>

#include <string>

#include "render/latin1_text.h"

TEST(Latin1Text, LettersLatin1HasAreThemselvesAndEveryOtherCharacterOrBadByteIsOneQuestionMark) {
    const struct {
        const char* why;
        std::string utf8, codes;
    } cases[] = {
        {"ASCII", "pilot 7!", "pilot 7!"},
        {"two-byte letters", "J\xC3\xBCrgen \xC3\xB1\xC3\xA9\xC3\xB8\xC3\x9F", "J\xFCrgen \xF1\xE9\xF8\xDF"},
        {"the ends of Latin-1", "\xC2\xA0\xC3\xBF", "\xA0\xFF"},
        {"control codes U+0080..U+009F", "a\xC2\x80\xC2\x9F" "b", "a??b"},
        {"beyond Latin-1: one each", "\xD0\x96\xE6\x97\xA5\xF0\x9F\x9A\x80.", "???."},
        {"a lead where a continuation belongs", "\xC3\xC3\xBC", "?\xFC"},
        {"a sequence cut by the end", "J\xC3", "J?"},
        {"a sequence cut short", "\xE6\x97" "A", "??A"},
        {"bytes that lead nothing: continuations, a Latin-1 letter", "\x80\xBF" "J\xFCrgen", "??J?rgen"},
        {"over-long forms", "\xC0\xAF\xE0\x80\xAF", "?????"},
        {"a surrogate", "\xED\xA0\x80", "???"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80\xF5", "?????"},
    };
    for (const auto& c : cases) {
        std::string codes;
        for (const char* at = c.utf8.c_str(); *at != '\0';) codes += static_cast<char>(next_latin1_character(&at));
        EXPECT_EQ(codes, c.codes) << c.why;
    }
}
