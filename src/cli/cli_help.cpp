// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_help.h"

#include <algorithm>
#include <array>
#include <sstream>

#include "app/form_layout.h"
#include "text/cp1251.h"

namespace vm {
namespace {

using F = GenerationFlags;
constexpr std::array<OptionBoxName, 15> kBoxes = {{
    {"punctuation", kOptPunctuation, &F::Punctuation,
     "commas, dashes and sentence ends between phrases"},
    {"nocaps", kOptNoCapsLock, &F::NoCapsLock, "lower case, capitals only at sentence starts"},
    {"cache", kOptUseCache, &F::UseCache,
     "avoids recently used phrases while the base has enough others"},
    {"omsk", kOptOmsk, &F::Omsk,
     "shuffles the words of every phrase and puts hyphens inside long words"},
    {"breaks", kOptParagraphBreaks, &F::ParagraphBreaks, "random line and paragraph breaks"},
    {"latin", kOptLatinLetters, &F::LatinLetters,
     "swaps some Cyrillic letters for Latin look-alikes"},
    {"markup", kOptMarkup, &F::Markup, "wraps some phrases in tags like [b][i][u]"},
    {"classictags", kOptClassicTags, &F::ClassicTags,
     "markup uses the classic tags ** and %% instead"},
    {"lyrics", kOptLyrics, &F::Lyrics, "rhymed couplets, one phrase per line"},
    {"entropy", kOptEntropy, &F::Entropy,
     "rolls punctuation, nocaps, mixedcase, typos, omsk, breaks, chaos, lyrics, iq and morph "
     "afresh for every text"},
    {"chaos", kOptChaos, &F::Chaos, "invented pseudo-words instead of base lines (needs no base)"},
    {"iq", kOptSpeechDefects, &F::SpeechDefects, "speech defects: letters of the text distorted"},
    {"morph", kOptWordMorph, &F::WordMorph,
     "turns some words into base words with the same ending"},
    {"mixedcase", kOptMixedCase, &F::MixedCase, "random upper and lower case letters"},
    {"typos", kOptTypos, &F::Typos, "typos: letters replaced or dropped"},
}};

constexpr std::string_view kExitStatus = R"(
Exit status:
  0  success; also when the reader of the output stops early (| head)
  1  a file error: a base that is missing, unreadable, a device or socket, or
     over 1 GiB; a failed write to a file or to standard output; a skipped import
  2  a usage error: an unknown command or option, a value out of range
  3  no text could be made: "Я ОБКАКАЛСЯ. ПОЧЕМУ?" (an empty base) or
     "Не взлетело. Слишком мало строк?" (too few lines)
Messages go to standard error, in English; the window's own Russian texts are
quoted as it shows them.
)";

constexpr std::string_view kBaseNote = R"(
The base: -b FILE reads a text file, one phrase per line, in Windows-1251 or
UTF-8; -b - reads standard input; a pipe or FIFO is read to its end, as cat
reads it. Devices and sockets are refused. Without -b or --builtin the
built-in trash base is used.
)";

std::string Generate() {
  return R"(
Option boxes for -o/--options: the window's check boxes, by caption. The list
ticks the boxes named, all others are clear.
)" + OptionBoxLines() +
         R"(
Defaults: the trash base, --count 10, --options )" +
         std::string(kDefaultOptions) + R"(
)" + std::string(kBaseNote) +
         R"(
Every text has its own random seed: --rng-seed for the first text, or one
drawn from the clock, and for each further text of --repeat one derived from
the one before. --json reports it as rng_seed, --print-seed writes it to
standard error; --rng-seed with that seed and the same other arguments gives
the very same text again.

--json prints one JSON object per text, each on its own line:
  {"text": "...", "rng_seed": 123, "count": 10, "options": ["punctuation", ...],
   "base": {"name": "...", "lines": 1234}, "seed": "..." (with --seed only)}
"options" are the boxes in force (after an entropy roll, the rolled set);
"count" is the phrase count asked for, before the 0 to 4 the program adds.
A failure is {"error": "...", "status": 3}.

Examples:
  verbalomatic-cli generate -n 5 -o punctuation,lyrics
  printf 'кот\nпёс\n' | verbalomatic-cli generate -b - -n 1
  verbalomatic-cli generate --json --repeat 3 -o entropy
  verbalomatic-cli generate -s 'привет'
)" + std::string(kExitStatus);
}

}  // namespace

std::span<const OptionBoxName> OptionBoxNames() {
  return kBoxes;
}

std::string OptionCaption(int box) {
  return ToUtf8(shell::Options()[static_cast<std::size_t>(box)].caption);
}

std::string OptionNameList() {
  std::string names;
  for (const auto& b : kBoxes) names += std::string(names.empty() ? "" : ", ") + b.name;
  return names;
}

std::string OptionBoxLines() {
  constexpr std::size_t kWidth = 79;
  const std::string indent(17, ' ');
  // Characters, not bytes: the captions are UTF-8.
  const auto width = [](const std::string& s) {
    return static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
  };
  std::string lines;
  for (const auto& b : kBoxes) {
    std::string name = b.name;
    name.resize(12, ' ');
    std::string line = "  " + name + " — \"" + OptionCaption(b.box) + "\":";
    std::istringstream words(b.does);
    for (std::string word; words >> word;) {
      if (width(line) + 1 + word.size() > kWidth) {
        lines += line + "\n";
        line = indent.substr(1);
      }
      line += " " + word;
    }
    lines += line + "\n";
  }
  return lines;
}

std::string HelpFooter(std::string_view command) {
  if (command == "generate") return Generate();
  if (command == "load")
    return std::string(kBaseNote) + R"(
The report is the window's, in Russian: the base's name, its line count, its
size in KiB and the milliseconds of the three indexing passes.

Examples:
  verbalomatic-cli load -b source_mine.txt
  verbalomatic-cli load -b <(curl -s https://example.org/phrases.txt)
)" + std::string(kExitStatus);
  if (command == "rhymes")
    return std::string(kBaseNote) + R"(
TEXT is what the window's console line holds; its last word (after the last
blank or hyphen) is rhymed. Words are what the W button shows, --lines what
the L button shows; "Очень жаль, но не нашлось СЛОВА, брат." when nothing
rhymes (status 0).

Examples:
  verbalomatic-cli rhymes потолок
  verbalomatic-cli rhymes --lines -b source_mine.txt 'мой кот'
)" + std::string(kExitStatus);
  if (command == "format")
    return R"(
Cleans a base file as the window's formatter does: upper case, symbols
cleaned, blank and repeated lines removed. Without --yes it only reports what
it would change; with --yes it rewrites the file and keeps the old one as
FILE.bak. The progress goes to standard error, the report to standard output.

Examples:
  verbalomatic-cli format source_mine.txt
  verbalomatic-cli format --yes source_mine.txt
)" + std::string(kExitStatus);
  if (command == "import")
    return R"(
Turns each text file into a new base source_<name>.txt in the folder (the
current folder by default), cut into phrases as the window's import does. A
file that is missing, not a regular file, or whose base exists already is
skipped and named on standard error (status 1).

Examples:
  verbalomatic-cli import book.txt
  verbalomatic-cli import --into ~/.local/share/Verbalomatic *.txt
)" + std::string(kExitStatus);
  return R"(
Run 'verbalomatic-cli COMMAND --help' for what each option does.

Examples:
  verbalomatic-cli generate -n 5
  verbalomatic-cli generate --json --repeat 3 -o entropy,cache
  printf 'кот\nпёс\n' | verbalomatic-cli generate -b - -n 1
  verbalomatic-cli rhymes --lines кот
)" + std::string(kExitStatus);
}

}  // namespace vm
