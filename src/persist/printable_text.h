// Texts that come from a stranger's file (a replay's pilot, version and build)
// are shown on screen and printed on the console. Such a text must not run off
// the screen, and no byte of it may reach a terminal as a control: a text is
// kept as UTF-8 where it is UTF-8, every control character and every byte that
// is not part of a UTF-8 character is shown as '?', and it is cut after
// `max_characters` whole characters.
#pragma once

#include <cstddef>
#include <string>

constexpr char UNPRINTABLE_STAND_IN = '?';

// Called by the replay player and the replay reader for every text from a file
// they show or print.
std::string printable_text(const std::string& text, size_t max_characters);
