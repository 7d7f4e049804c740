// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/key_strokes.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace vm {
namespace {

// Runs events written as "P5@100" (key '5' pressed at time 100), "R5@180"
// (released), "S" (settle: other input came or the queue ran dry) and "F"
// (the window lost the keyboard). Returns the keys of the strokes, in order.
std::string Strokes(const std::string& events) {
  KeyStrokes keys;
  std::string strokes;
  std::istringstream in(events);
  for (std::string e; in >> e;) {
    const int key = e.size() > 1 ? e[1] : 0;
    const auto time = e.size() > 3 ? static_cast<std::uint32_t>(std::stoul(e.substr(3))) : 0U;
    std::optional<int> stroke;
    if (e[0] == 'P') stroke = keys.Press(key, time);
    if (e[0] == 'R') keys.Release(key, time);
    if (e[0] == 'S') stroke = keys.Settle();
    if (e[0] == 'F') keys.Forget();
    if (stroke) strokes += static_cast<char>(*stroke);
  }
  return strokes;
}

TEST(KeyStrokesTest, OneStrokePerPressThatBeganInTheWindow) {
  const struct {
    const char* events;
    const char* strokes;
  } cases[] = {
      {"P5@100 R5@180 S", "5"},  // a plain stroke
      {"RE@180 S", ""},          // Return pressed on a menu entry
      {"P5@100 R5@760 P5@760 R5@800 P5@800 S R5@840 P5@840 S R5@900 S", "5"},  // X11 repeats
      {"P5@100 P5@760 P5@800 R5@900 S", "5"},     // repeats as presses alone
      {"P5@100 R5@180 P5@250 S R5@300 S", "55"},  // pressed again: a new stroke
      {"P5@100 R5@180 P7@180 S R7@250 S", "57"},  // another key at the same time
      {"PE@100 F RE@180 S", ""},                  // the keyboard went elsewhere
      {"P5@1 R5@2 S R5@3 S", "5"},                // one press, two releases
  };
  for (const auto& c : cases) EXPECT_EQ(Strokes(c.events), c.strokes) << c.events;
}

}  // namespace
}  // namespace vm
