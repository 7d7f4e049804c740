// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_entries.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <vector>

#include "app/settings_record.h"
#include "base/builtin_bases.h"
#include "base/phrase_base.h"
#include "base/rijndael.h"
#include "base/word_end.h"
#include "cli/cli.h"
#include "fix_symbols_text.h"
#include "random/random_source.h"
#include "text/cp1251.h"
#include "text/letter_case.h"
#include "text/strings.h"
#include "tools/import_text.h"

namespace vm::fuzz {
namespace {

std::string_view Bytes(Input data) {
  return {reinterpret_cast<const char*>(data.data()), data.size()};
}

std::string Hex(char16_t c) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(c));
  return text;
}

// What FixSymbols may leave behind: letters (ASCII, 191 on and the
// Ukrainian and Belarusian ones), digits, blanks, hyphens and LF.
bool MayStayAfterCleanUp(char16_t c) {
  const std::uint8_t code = Cp1251CodeOf(c);
  return code >= 191 || (code < 128 && std::isalnum(code) != 0) ||
         std::string_view("\n -\xA5\xAA\xAF\xB2\xB3\xB4\xB8\xBA").find(static_cast<char>(code)) !=
             std::string_view::npos;
}

// Every CR is followed by LF and every LF follows a CR.
bool OnlyCrLfPairs(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')) return false;
    if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) return false;
  }
  return true;
}

bool SameRecord(const SettingsRecord& a, const SettingsRecord& b) {
  return a.optionBytes == b.optionBytes && a.prologue == b.prologue && a.epilogue == b.epilogue &&
         a.baseName == b.baseName && a.console == b.console;
}

constexpr std::size_t kMaxSettingsText = 32'767;

}  // namespace

std::string Settings(Input data) {
  const SettingsRecord record = DecodeSettings(Bytes(data));
  for (std::size_t i = 0; i < record.optionBytes.size(); ++i) {
    const std::uint8_t expected = i < data.size() ? data[i] : 0;
    if (record.optionBytes[i] != expected) return "option byte " + std::to_string(i) + " differs";
  }
  const std::string file = EncodeSettings(record);
  const SettingsRecord again = DecodeSettings(file);
  const bool fits =
      record.prologue.size() <= kMaxSettingsText && record.epilogue.size() <= kMaxSettingsText &&
      record.baseName.size() <= kMaxSettingsText && record.console.size() <= kMaxSettingsText;
  if (fits && !SameRecord(again, record)) return "a written record reads back differently";
  if (EncodeSettings(again) != file) return "writing a record read back changes the file";
  return {};
}

std::string BaseLoad(Input data) {
  if (data.empty()) return {};
  // First byte: bit 0 stop at hyphen, bit 1 fold, the rest the word's length limit.
  const std::uint8_t control = data[0];
  const std::u16string text = DecodeTextFile(Bytes(data.subspan(1)));
  // Upper case but for the small n of a line-break marker (backslash, n). A
  // text without any CR is split at LF, a final LF giving no empty line; in
  // one with CR, LF CR is repaired to CR LF.
  std::u16string expected = text;
  UpperInPlace(expected);
  for (std::size_t i = 1; i < text.size(); ++i)
    if (text[i] == u'n' && text[i - 1] == u'\\') expected[i] = u'n';
  if (text.find(u'\r') == std::u16string::npos) {
    if (EndsWith(expected, u"\n")) expected.pop_back();
    ReplaceAll(expected, u"\n", kCrLf);
  } else {
    ReplaceAll(expected, u"\n\r", kCrLf);
  }

  IndexTimings timings;
  PhraseBase loaded = IndexBaseText(
      text, [] { return std::int64_t{0}; }, timings);
  // A copy must stay valid on its own.
  const PhraseBase base = loaded;
  loaded = PhraseBase{};

  if (base.lines.size() != base.keys.size()) return "line and key counts differ";
  if (text.empty() != base.lines.empty()) return "an empty text must give no lines, and only it";
  if (base.UBound() != static_cast<std::int32_t>(base.lines.size()) - 1) return "wrong UBound";

  const bool stopAtHyphen = (control & 1) != 0;
  const bool fold = (control & 2) != 0;
  const std::size_t maxLength = control >> 2;
  std::u16string joined;
  for (std::size_t i = 0; i < base.lines.size(); ++i) {
    const std::u16string line(base.lines[i]);
    if (line.find(kCrLf) != std::u16string::npos) return "a line holds CR LF";
    // A line keeps the small n of a line-break marker; its key folds the
    // upper-case text, where that n is capital.
    std::u16string folded = line;
    ReplaceAll(folded, u"\\n", u"\\N");
    FoldRhymeLetters(folded);
    if (std::u16string(base.keys[i]) != folded) return "a key is not its line folded";
    if (i > 0) joined += kCrLf;
    joined += line;

    const std::u16string word = LastWord(line, stopAtHyphen, false, 0);
    if (!EndsWith(line, word)) return "LastWord is not the end of its text";
    for (const char16_t c : word)
      if (c == u' ' || (stopAtHyphen && c == u'-')) return "LastWord holds a stop character";
    if (word.size() < line.size()) {
      const char16_t before = line[line.size() - word.size() - 1];
      if (before != u' ' && !(stopAtHyphen && before == u'-'))
        return "LastWord stopped at a character that is no stop";
    }
    std::u16string wanted(maxLength != 0 && word.size() > maxLength ? Right(word, maxLength)
                                                                    : word);
    if (fold) FoldRhymeLetters(wanted);
    if (LastWord(line, stopAtHyphen, fold, maxLength) != wanted)
      return "LastWord with a limit or folding differs from the plain word";
  }
  if (joined != expected) return "the lines do not join back into the upper-cased text";
  return {};
}

std::string FixSymbolsText(Input data) {
  if (data.empty()) return {};
  std::u16string text;
  const Input rest = data.subspan(1);
  if ((data[0] & 1) != 0) {
    for (std::size_t i = 0; i + 1 < rest.size(); i += 2)
      text.push_back(static_cast<char16_t>(rest[i] | (rest[i + 1] << 8)));
  } else {
    text = DecodeCp1251(Bytes(rest));
  }
  const std::u16string before = text;
  std::int64_t passTotal = 0;
  bool emptyPass = false;
  FixSymbolsProgress progress;
  progress.passDone = [&](std::int32_t changes) {
    passTotal += changes;
    emptyPass = emptyPass || changes <= 0;
  };
  const std::int32_t changes = FixSymbols(text, progress);
  if (changes < 0) return "negative change count";
  if (emptyPass) return "a pass without changes was reported";
  if (passTotal != changes) return "the passes do not add up to the total";
  // The one change that does not count: a hyphen (or soft hyphen) after a
  // blank becomes a blank.
  if (changes == 0) {
    if (text.size() != before.size()) return "text length changed without a counted change";
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool uncounted = text[i] == u' ' && (before[i] == u'-' || before[i] == u'\u00AD') &&
                             i > 0 && text[i - 1] == u' ';
      if (text[i] != before[i] && !uncounted) return "text changed without a counted change";
    }
  }
  if (text.size() > before.size()) return "the text grew";
  for (const char16_t c : text) {
    if (!MayStayAfterCleanUp(c) && !(c == u'\0' && changes == 0))
      return "kept U+" + Hex(c) + ", which it must remove or replace";
  }
  return {};
}

std::string Import(Input data) {
  if (data.size() < 5) return {};
  const std::uint32_t seed =
      static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
      static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
  const std::u16string text = DecodeTextFile(Bytes(data.subspan(5)));
  RandomSource random(seed);
  int yields = 0;
  const std::size_t room = data[4] % 64U;
  const std::u16string base = DecodeCp1251(PrepareImportedCodes(
      random, std::string(room, '\0') + EncodeCp1251(text), room, [&yields] { ++yields; }));
  if (yields == 0) return "the import never let the event loop run";
  if (!OnlyCrLfPairs(base)) return "imported base holds a line break that is not CR LF";
  const bool hadNul = text.find(u'\0') != std::u16string::npos;
  for (const char16_t c : base) {
    if (c == u'\r' || (c == u'\0' && hadNul)) continue;
    if (!MayStayAfterCleanUp(c)) return "imported base keeps U+" + Hex(c);
    if (UpperChar(c) != c) return "imported base keeps lower-case U+" + Hex(c);
  }
  return {};
}

std::string Decipher(Input data) {
  std::vector<std::uint8_t> bytes(data.begin(), data.end());
  const std::u16string untouched = u"untouched";
  std::u16string text = untouched;
  std::size_t yields = 0;
  const bool ok = DecipherBase(bytes, text, [&yields] { ++yields; });
  if (data.size() % 32 != 0) {
    if (ok) return "accepted a length that is not a whole number of blocks";
    if (!bytes.empty()) return "kept the data after an error";
    if (text != untouched) return "set the text after an error";
    return {};
  }
  if (!ok) return "refused a whole number of blocks";
  if (yields != (data.empty() ? 0 : (data.size() - 1) / 32768)) return "wrong number of yields";
  if (!text.empty() && text.back() == u'\0') return "kept padding";
  std::string plain = EncodeCp1251(text);
  if (plain != Bytes(bytes)) return "text and deciphered data differ";

  // The key buffer rests at 0, 1, ..., 31 outside BuiltinBaseText.
  std::array<std::uint8_t, 32> key{};
  for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<std::uint8_t>(i);
  clsA cipher;
  cipher.gentables();
  cipher.gkey(8, 8, key.data());
  plain.resize(data.size(), '\0');
  for (std::size_t offset = 0; offset < plain.size(); offset += 32)
    cipher.Encrypt(reinterpret_cast<std::uint8_t*>(plain.data()) + offset);
  if (plain != Bytes(data)) return "deciphered blocks do not encipher back to the input";
  return {};
}

std::string CliParse(Input data) {
  std::vector<std::string> args;
  std::string_view rest = Bytes(data);
  while (!rest.empty() && args.size() < 64) {
    const std::size_t end = rest.find('\0');
    args.emplace_back(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
  }
  std::ostringstream out, err;
  const CliRequest request = ParseCli(args, out, err);
  using Command = CliRequest::Command;
  if (request.command == Command::kNone) {
    if (request.status == 0 && out.str().empty()) return "help or version printed nothing";
    if (request.status == 2 && err.str().empty()) return "a usage error without a message";
    if (request.status != 0 && request.status != 2) return "unexpected status without a command";
    return {};
  }
  if (request.status != 0) return "a runnable request carries a status";
  if (!err.str().empty()) return "a runnable request wrote an error";
  if (request.count < 0 || request.count > 1000) return "phrase count out of range";
  if (request.repeat < 1 || request.repeat > 1'000'000) return "repeat out of range";
  if (!request.builtin.empty() && request.builtin != "standard" && request.builtin != "trash")
    return "unknown built-in base accepted";
  if (!request.builtin.empty() && !request.baseFile.empty())
    return "both a base file and a built-in base";
  if (request.command == Command::kGenerate && request.seedText && request.seedText->empty())
    return "an empty seed text accepted";
  if (request.command == Command::kRhymes && request.rhymeText.empty())
    return "an empty rhyme text accepted";
  for (std::size_t i = 0; i < request.boxes.size(); ++i) {
    const int box = request.boxes[i];
    if (box != 0 && (box != 1 || i < 2 || i == kOptSpare)) return "a box outside the options set";
  }
  return {};
}

std::span<const Target> Targets() {
  static constexpr std::array<Target, 6> kTargets = {{
      {"settings", Settings},
      {"base_load", BaseLoad},
      {"fix_symbols", FixSymbolsText},
      {"import", Import},
      {"decipher", Decipher},
      {"cli_parse", CliParse},
  }};
  return kTargets;
}

}  // namespace vm::fuzz
