// SPDX-License-Identifier: GPL-3.0-or-later
// The generation layer's rules that exact golden texts pin only by chance:
// bounds, distributions over many draws, and tables of transforms.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "base/phrase_base.h"
#include "generation/char_transforms.h"
#include "generation/lyrics.h"
#include "generation/options.h"
#include "generation/phrase_transforms.h"
#include "generation/pick_lines.h"
#include "generation/pseudo_word.h"
#include "generation/recent_cache.h"
#include "generation/separator.h"
#include "text/cp1251.h"
#include "text/letter_case.h"
#include "text/strings.h"

namespace vm {
namespace {

using Lines = std::vector<std::u16string>;

PhraseBase BaseOf(const Lines& lines) {
  IndexTimings timings;
  return IndexBaseText(
      Join(lines, kCrLf), [] { return std::int64_t{0}; }, timings);
}

// Shares of the results of f over n draws from one seeded source.
template <typename F>
std::map<std::u16string, double> Shares(int n, F f) {
  RandomSource random(20240607);
  std::map<std::u16string, double> shares;
  for (int i = 0; i < n; ++i) shares[f(random)] += 1.0 / n;
  return shares;
}

TEST(RandomUpTo, CoversExactlyItsRangeInBothDirections) {
  for (const auto& [n, lo, hi] : {std::tuple{0, 0, 0}, {4, 0, 4}, {-3, -3, 0}, {31, 0, 31}}) {
    RandomSource random(5);
    std::set<std::int32_t> seen;
    for (int i = 0; i < 2000; ++i) seen.insert(RandomUpTo(random, n));
    EXPECT_EQ(*seen.begin(), lo);
    EXPECT_EQ(*seen.rbegin(), hi);
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(hi - lo + 1));
  }
}

TEST(RandomSource, AdvanceSkipsExactlyThatManyDraws) {
  for (const std::uint64_t steps : {0U, 1U, 2U, 7U, 64U, 1000U, 123457U}) {
    RandomSource jumped(99), walked(99);
    jumped.Advance(steps);
    for (std::uint64_t i = 0; i < steps; ++i) walked.Next();
    EXPECT_EQ(jumped.Next(), walked.Next()) << steps;
    EXPECT_EQ(jumped.Next(), walked.Next()) << steps;
  }
}

// A separator's kind: the punctuation with repeated marks folded.
std::u16string KindOf(std::u16string s) {
  s.erase(std::unique(s.begin(), s.end()), s.end());
  return s;
}

// With Entropy on, the ten rolled flags keep their last values; the other
// six always follow their boxes. Only a ticked box (1) counts, not a grey one.
TEST(ReadOptions, EntropyKeepsOnlyTheRolledFlags) {
  GenerationFlags flags;
  OptionBoxes boxes;
  boxes.fill(1);
  boxes[kOptEntropy] = 0;
  ReadOptions(boxes, flags);
  boxes.fill(2);
  boxes[kOptEntropy] = 1;
  ReadOptions(boxes, flags);
  const bool rolled[] = {
      flags.Punctuation, flags.NoCapsLock,    flags.Omsk,      flags.ParagraphBreaks, flags.Lyrics,
      flags.Chaos,       flags.SpeechDefects, flags.WordMorph, flags.MixedCase,       flags.Typos};
  const bool followed[] = {flags.AutoCopy,     flags.CopyUnicode, flags.UseCache,
                           flags.LatinLetters, flags.Markup,      flags.ClassicTags};
  EXPECT_TRUE(flags.Entropy);
  for (const bool f : rolled) EXPECT_TRUE(f);
  for (const bool f : followed) EXPECT_FALSE(f);
  boxes[kOptEntropy] = 0;
  ReadOptions(boxes, flags);
  EXPECT_FALSE(flags.Punctuation || flags.Entropy || flags.Typos);
}

TEST(MakeSeparator, KindsComeInTheirShares) {
  struct Row {
    bool allowEnd, forceEnd;
    std::uint8_t range;
    std::map<std::u16string, double> expected;  // kind -> share
  };
  const double end = 21.0 / 65;  // of the inner call, split as a forced end
  const Row rows[] = {
      {true,
       false,
       64,
       {{u", ", 24.0 / 65 * 0.86},
        {u" — ", 24.0 / 65 * 0.14},
        {u" ", 20.0 / 65},
        {u". ", end * 0.6 + end * 0.3},
        {u"? ", end * 0.044},
        {u"! ", end * 0.044},
        {u"?! ", end * 0.006},
        {u"!? ", end * 0.006}}},
      {true,
       true,
       100,
       {{u". ", 0.9}, {u"? ", 0.044}, {u"! ", 0.044}, {u"?! ", 0.006}, {u"!? ", 0.006}}},
      {false,
       false,
       100,
       {{u", ", 24.0 / 101 * 0.86}, {u" — ", 24.0 / 101 * 0.14}, {u" ", 77.0 / 101}}},
  };
  for (const Row& row : rows) {
    const auto shares = Shares(40000, [&](RandomSource& r) {
      return KindOf(MakeSeparator(r, row.allowEnd, row.forceEnd, row.range));
    });
    for (const auto& [kind, share] : shares) EXPECT_TRUE(row.expected.count(kind)) << ToUtf8(kind);
    for (const auto& [kind, share] : row.expected)
      EXPECT_NEAR(shares.count(kind) ? shares.at(kind) : 0, share, 0.01) << ToUtf8(kind);
  }
  // The mixed runs of a fixed seed: which mark comes first, then both counts.
  RandomSource fixed(1);
  std::u16string mixed;
  for (int runs = 0; runs < 10;) {
    const std::u16string s = MakeSeparator(fixed, true, true, 0);
    if (s.find(u'?') != std::u16string::npos && s.find(u'!') != std::u16string::npos) {
      mixed += s;
      ++runs;
    }
  }
  EXPECT_EQ(mixed, u"\?!!! !!!\?\? !!!\?\? !!\? \?\?! !\?\?\? \?!!! \?\?\?!! !!\?\?\? \?!! ");
  // Run lengths: ellipses of 2 to 6 stops, up to 3 "?" or 5 "!", mixed runs of 1 to 3 each.
  const auto runs = Shares(40000, [](RandomSource& r) { return MakeSeparator(r, true, true, 0); });
  std::set<std::u16string> all;
  for (const auto& [s, share] : runs) all.insert(s);
  for (const char16_t* s : {u"..", u"......", u"\?\?\?", u"!!!!!", u"\?\?\?!!!", u"!!!\?\?\?"})
    EXPECT_TRUE(all.count(std::u16string(s) + u" ")) << ToUtf8(s);
  for (const char16_t* s : {u".......", u"\?\?\?\?", u"!!!!!!", u"\?\?\?\?!", u"!!!!?"})
    EXPECT_FALSE(all.count(std::u16string(s) + u" ")) << ToUtf8(s);
}

// Each letter, "=", then its outcomes with their probabilities; the rest of
// the probability keeps the letter. Д, А, к and 1 have no entry.
constexpr std::u16string_view kSpeechDefects =
    u"Б=В.4Ф.1 б=в.4ф.1 Г=Х.5 г=х.5 Ґ=Г.5Х.25 ґ=г.5х.25 д=т.7 Д= Т=Д.7 т=д.7 Е=И.8Э.2 е=и.8э.2 "
    u"Ё=И.8Э.2 ё=и.8э.2 Є=И.5Ї.25Е.125 є=ї.25е.125 Ж=Ш.8С.2 ж=ш.8с.2 З=С.5 з=с.5 І=И.5 і=и.5 "
    u"Ї=І.8 ї=і.8 Ф=Х1 ф=х1 Х=Г.7 х=г.7 Ц=С.5 ц=с.5 Ч=Ш1 ч=ш1 Э=И1 э=и1 Ю=У.8 ю=у.8 Я=А.8 "
    u"я=а.8 А= к= 1=";

TEST(MangleSpeech, EveryLetterOfTheTableInItsShares) {
  struct Row {
    char16_t letter;
    std::map<char16_t, double> outcomes;
  };
  std::vector<Row> rows;
  for (const auto& entry : SplitWords(kSpeechDefects)) {
    Row row{entry[0], {}};
    for (std::size_t at = 2; at < entry.size();) {
      const std::size_t end = entry.find_first_not_of(u".0123456789", at + 1);
      row.outcomes[entry[at]] = std::stod(ToUtf8(entry.substr(at + 1, end - at - 1)));
      at = end;
    }
    rows.push_back(row);
  }
  ASSERT_EQ(rows.size(), 41U);
  for (const Row& row : rows) {
    RandomSource random(77);
    std::u16string text(20000, row.letter);
    MangleSpeech(random, text);
    std::map<char16_t, double> expected = row.outcomes;
    double rest = 1;
    for (const auto& [c, share] : row.outcomes) rest -= share;
    expected[row.letter] += rest;
    std::map<char16_t, double> seen;
    for (const char16_t c : text) seen[c] += 1.0 / 20000;
    for (const auto& [c, share] : seen)
      EXPECT_NEAR(share, expected[c], 0.02) << ToUtf8(std::u16string{row.letter, u'>', c});
  }
}

TEST(LatinLookalikes, ReplacesExactlyTheTable) {
  const std::u16string table = u"ІАЕКНОРСТХіаеорсух";
  std::u16string text = table;
  LatinLookalikes(text);
  EXPECT_EQ(text, u"IAEKHOPCTXiaeopcyx");
  for (char16_t c = 0x0400; c <= 0x04FF; ++c) {  // lower-case т, к, н included
    std::u16string one(1, c);
    LatinLookalikes(one);
    if (table.find(c) == std::u16string::npos) {
      EXPECT_EQ(one[0], c) << static_cast<int>(c);
    }
  }
}

TEST(RandomCase, HalfUpperHalfLowerAndCaselessUntouched) {
  const auto shares = Shares(4000, [](RandomSource& r) {
    std::u16string s = u"Я1.";
    RandomCase(r, s);
    return s;
  });
  EXPECT_EQ(shares.size(), 2U);
  EXPECT_NEAR(shares.at(u"я1."), 0.5, 0.03);
}

// AddTypos on one phrase under 400 seeds.
Lines Typos(const std::u16string& phrase, bool spareEnd) {
  Lines out;
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    RandomSource random(seed);
    Lines phrases{phrase};
    AddTypos(random, phrases, spareEnd);
    out.push_back(phrases[0]);
  }
  return out;
}

TEST(AddTypos, OnlyInnerUpperCaseLettersAwayFromTheEnds) {
  int changed = 0, thirdLast = 0;
  for (const auto& p : Typos(u"ЖББББББББББЗЦЧ", false)) {
    EXPECT_TRUE(StartsWith(p, u"Ж") && EndsWith(p, u"Ч")) << ToUtf8(p);
    changed += p != u"ЖББББББББББЗЦЧ";
  }
  for (const auto& p : Typos(u"ЖББББББББББЗЦЧ", true)) {
    EXPECT_TRUE(StartsWith(p, u"Ж") && EndsWith(p, u"ЗЦЧ")) << ToUtf8(p);
    thirdLast += !EndsWith(p, u"БЗЦЧ");
  }
  EXPECT_GT(changed, 100);
  EXPECT_GT(thirdLast, 0);
  for (const std::u16string phrase :
       {u"БВ", u"", u"ББ ББ ББ ББ ББ ББ", u"жжжжжжжжжжжж", u"ЁЁЁЁЁЁЁЁЁЁЁЁ", u"1234567890,.!?-«»"})
    for (const auto& p : Typos(phrase, false)) EXPECT_EQ(p, phrase);
  // Deletions: 0.065 * 0.5 per consonant, 0.065 * 0.4 * 0.5 per vowel.
  for (const auto& [letter, lost] :
       {std::pair{u'Б', 3250.0}, {u'Ь', 3250.0}, {u'Э', 1300.0}, {u'У', 1300.0}}) {
    RandomSource random(2024);
    Lines phrases(100, std::u16string(1002, letter));
    AddTypos(random, phrases, false);
    double gone = 0;
    for (const auto& p : phrases) gone += static_cast<double>(1002 - p.size());
    EXPECT_NEAR(gone, lost, lost * 0.12);
  }
}

TEST(ShuffleWords, PermutesUniformlyKeepsTheLastAndHyphenatesOnlyInside) {
  std::map<std::u16string, int> firsts;
  for (std::uint32_t seed = 1; seed <= 600; ++seed) {
    RandomSource random(seed);
    const std::u16string out = ShuffleWords(random, u"КОТИК ПЁСИК МЫШКА ХОМЯЧОК", true);
    ASSERT_TRUE(EndsWith(out, u" ХОМЯЧОК")) << ToUtf8(out);  // never hyphenated
    std::u16string plain = out;
    std::erase(plain, u'-');
    auto words = SplitWords(plain);
    std::sort(words.begin(), words.end());
    ASSERT_EQ(words, (Lines{u"КОТИК", u"МЫШКА", u"ПЁСИК", u"ХОМЯЧОК"}));
    for (const auto& word : SplitWords(out)) {
      // A hyphen needs two letters before it and two after it.
      for (std::size_t at = word.find(u'-'); at != std::u16string::npos;
           at = word.find(u'-', at + 1)) {
        EXPECT_GE(at, 2U) << ToUtf8(word);
        EXPECT_LE(at + 3, word.size()) << ToUtf8(word);
      }
    }
    std::u16string first = SplitWords(plain)[0];
    ++firsts[first];
  }
  EXPECT_EQ(firsts.size(), 3U);
  for (const auto& [word, n] : firsts) EXPECT_NEAR(n, 200, 45) << ToUtf8(word);
  RandomSource random(3);
  EXPECT_EQ(ShuffleWords(random, u"", false), u"");
  for (int i = 0; i < 50; ++i) {
    std::u16string one = ShuffleWords(random, u"КОТ", false);
    EXPECT_EQ(one, u"КОТ");  // three letters never take a hyphen
  }
}

TEST(RecentCache, SizeRingAndKeys) {
  for (const auto& [ubound, size] :
       {std::pair{-1, 1}, {0, 1}, {9, 2}, {999, 151}, {1799, 256}, {1'000'000, 256}}) {
    RecentCache cache;
    cache.Reset(ubound);
    EXPECT_EQ(cache.Size(), size) << ubound;
  }
  RecentCache cache;
  cache.Reset(19);  // S = 4
  EXPECT_FALSE(cache.Admit(-1));
  for (const int line : {4, 42, 100'000'042, 7})
    EXPECT_EQ(cache.Admit(line), line != 100'000'042) << line;  // equal modulo 10^8
  EXPECT_FALSE(cache.Admit(4));
  EXPECT_TRUE(cache.Admit(8));  // the fourth slot
  EXPECT_TRUE(cache.Admit(9));  // overwrites 4, the oldest
  EXPECT_TRUE(cache.Admit(4));  // overwrites 42
  EXPECT_FALSE(cache.Admit(7));
  EXPECT_EQ(cache.WritePosition(), 2);
  cache.Clear();
  EXPECT_TRUE(cache.Admit(7));
  EXPECT_EQ(cache.WritePosition(), 3);
}

TEST(PickLines, StopsAtTheLineCountReusesEmptySlotsAndAvoidsRecentLines) {
  GenerationFlags flags;
  RecentCache cache;
  RandomSource random(1);
  Lines phrases(5);
  EXPECT_EQ(PickLines(random, BaseOf({u"ОДИН", u"ДВА", u"ТРИ"}), flags, cache, phrases), 3);
  EXPECT_EQ(PickLines(random, BaseOf({}), flags, cache, phrases), 0);
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    RandomSource r(seed);
    Lines slots(4);
    const auto n = PickLines(r, BaseOf({u"", u"  кот  ", u" ", u"ПЁС"}), flags, cache, slots);
    for (std::int32_t i = 0; i < n; ++i) ASSERT_TRUE(slots[i] == u"КОТ" || slots[i] == u"ПЁС");
    for (std::size_t i = static_cast<std::size_t>(n); i < slots.size(); ++i)
      ASSERT_TRUE(slots[i].empty());
  }
  Lines numbered;
  for (int i = 0; i < 2000; ++i) numbered.push_back(u"СТРОКА " + Decimal(i));
  const PhraseBase base = BaseOf(numbered);
  flags.UseCache = true;
  cache.Reset(base.UBound());
  Lines history;
  for (int run = 0; run < 40; ++run) {
    Lines slots(10);
    PickLines(random, base, flags, cache, slots);
    history.insert(history.end(), slots.begin(), slots.end());
  }
  for (std::size_t i = 0; i < history.size(); ++i)
    for (std::size_t j = i + 1; j < history.size() && j < i + 256; ++j)
      ASSERT_NE(history[i], history[j]) << i << " " << j;
}

TEST(PickLines, ChaosMakesUpperCasePhrasesOfUpToSevenPseudoWords) {
  GenerationFlags flags;
  flags.Chaos = true;
  RecentCache cache;
  RandomSource random(9);
  std::map<std::size_t, int> counts;
  for (int run = 0; run < 300; ++run) {
    Lines slots(4);
    const auto n = PickLines(random, PhraseBase{}, flags, cache, slots);
    for (std::int32_t i = 0; i < n; ++i) {
      ASSERT_EQ(slots[i], Upper(slots[i]));
      ++counts[SplitWords(slots[i]).size()];
    }
  }
  EXPECT_EQ(counts.begin()->first, 1U);
  EXPECT_EQ(counts.rbegin()->first, 7U);
}

TEST(MakePseudoWord, LengthsModesAndLetterRules) {
  for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
    RandomSource random(seed);
    EXPECT_EQ(MakePseudoWord(random, 1, 1, false), u"");
    const auto mode = static_cast<std::uint8_t>(seed % 3);
    const auto length = static_cast<std::int32_t>(2 + seed % 9);
    const std::u16string w = MakePseudoWord(random, length, mode, seed % 2 == 0);
    ASSERT_EQ(w.size(), static_cast<std::size_t>(length));
    const std::u16string starts = mode == 1   ? u"БВГДЖЗКЛМНПРСТФХЦЧШЩ"
                                  : mode == 2 ? u"АЕИОУЭЮЯ"
                                              : u"АБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЩЭЮЯ";
    ASSERT_NE(Upper(starts).find(UpperChar(w[0])), std::u16string::npos) << ToUtf8(w);
    ASSERT_EQ(w[0] == UpperChar(w[0]), seed % 2 == 0) << ToUtf8(w);
    for (std::size_t i = 1; i < w.size(); ++i) {
      ASSERT_EQ(w[i], LowerChar(w[i]));
      if (i + 1 < w.size()) {
        ASSERT_TRUE(w[i] != u'й' && w[i] != u'ы') << ToUtf8(w);
      }
      ASSERT_TRUE(w[i] != u'ь' && w[i] != u'ъ');
      if (LowerChar(w[i]) == LowerChar(w[i - 1])) {
        ASSERT_NE(std::u16string(u"анио").find(w[i]), std::u16string::npos) << ToUtf8(w);
      }
      if (i >= 2) {
        ASSERT_FALSE(w[i] == w[i - 1] && w[i] == w[i - 2]) << ToUtf8(w);
      }
    }
  }
}

TEST(PairRhymes, CoupletsCrossRhymesAndUnpairedPhrases) {
  const PhraseBase base =
      BaseOf({u"ВОТ И ВОТ", u"СТАРЫЙ ГОД", u"ТЯЖЁЛЫЙ ВЕС", u"ПОД НАВЕС", u"ЖИЛ КОТ"});
  const std::set<std::u16string> cat = {u"ВОТ И ВОТ", u"СТАРЫЙ ГОД"};
  const std::set<std::u16string> forest = {u"ТЯЖЁЛЫЙ ВЕС", u"ПОД НАВЕС"};
  int aabb = 0, abab = 0;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    RandomSource random(seed);
    RecentCache cache;
    Lines p = {u"ЖИЛ КОТ", u"X", u"БЫЛ ЛЕС", u"Y", u"ЛИШНЯЯ"};
    PairRhymes(random, base, GenerationFlags{}, cache, p);
    ASSERT_EQ(p.size(), 4U);
    if (cat.count(p[1]) && forest.count(p[3])) ++aabb;
    if (p[1] == u"БЫЛ ЛЕС" && cat.count(p[2]) && forest.count(p[3])) ++abab;
    GenerationFlags omsk;
    omsk.Omsk = true;
    Lines shuffled = {u"ЖИЛ КОТ", u"X"};
    PairRhymes(random, base, omsk, cache, shuffled);
    ASSERT_TRUE(EndsWith(shuffled[1], u"ВОТ") || EndsWith(shuffled[1], u"ГОД"))
        << ToUtf8(shuffled[1]);
    Lines lone = {u"ДЕНЬ", u"X", u"ПЕНЬ"};  // no partner: unrhymed, odd phrase dropped
    PairRhymes(random, base, GenerationFlags{}, cache, lone);
    ASSERT_EQ(lone, (Lines{u"ДЕНЬ", u"X"}));
  }
  EXPECT_EQ(aabb + abab, 300);
  EXPECT_NEAR(abab, 60, 25);
}

// With "Омск" the partner's words are shuffled, but its last word, the rhyme,
// stays last.
TEST(PairRhymes, ShuffledPartnersKeepTheirRhyme) {
  const PhraseBase base = BaseOf({u"ВОТ И ВОТ", u"СТАРЫЙ ДОБРЫЙ ГОД", u"ЖИЛ КОТ"});
  GenerationFlags flags;
  flags.Omsk = true;
  std::set<std::u16string> partners;
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    RandomSource random(seed);
    RecentCache cache;
    Lines p = {u"ЖИЛ КОТ", u"X"};
    PairRhymes(random, base, flags, cache, p);
    ASSERT_EQ(p.size(), 2U);
    ASSERT_TRUE(p[1].ends_with(u"ВОТ") || p[1].ends_with(u"ГОД")) << ToUtf8(p[1]);
    partners.insert(p[1]);
  }
  EXPECT_GT(partners.size(), 2U);
}

TEST(PhraseTransforms, TagsMorphsAndQuotes) {
  const std::map<bool, std::set<std::u16string>> tags = {
      {false, {u"[b]Ф[/b]", u"[spoiler]Ф[/spoiler]", u"[u]Ф[/u]", u"[s]Ф[/s]"}},
      {true, {u"**Ф**", u"%%Ф%%", u"__Ф__", u"*Ф*"}}};
  for (const auto& [classic, expected] : tags) {
    const auto shares = Shares(2000, [&](RandomSource& r) {
      std::u16string p = u"Ф";
      WrapInTags(r, p, classic);
      return p;
    });
    std::set<std::u16string> seen;
    for (const auto& [s, share] : shares) seen.insert(s);
    EXPECT_EQ(seen, expected);
  }
  // Only words longer than three letters with a table ending; in lyrics
  // mode never the last word.
  const PhraseBase base = BaseOf({u"ОН КРАСНЫЙ", u"ОНА КРАСНАЯ"});
  int morphed = 0;
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    RandomSource random(seed);
    Lines p = {u"ЗЕЛЁНЫЙ НЫЙ СТОЛИК ЗЕЛЁНЫЙ"};
    MorphWords(random, base, p, true);
    const auto words = SplitWords(p[0]);
    ASSERT_EQ(words.size(), 4U);
    ASSERT_EQ(words[1] + words[2] + words[3], u"НЫЙСТОЛИКЗЕЛЁНЫЙ");
    morphed += words[0] == u"КРАСНЫЙ";
  }
  EXPECT_NEAR(morphed, 100, 30);
  // A base line that is just the ending is a word too.
  const PhraseBase ending = BaseOf({u"НЫЙ"});
  int short_ = 0;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    RandomSource random(seed);
    Lines p = {u"КРАСНЫЙ ДОМ"};
    MorphWords(random, ending, p, false);
    short_ += p[0] == u"НЫЙ ДОМ";
  }
  EXPECT_GT(short_, 5);
  // Separators only inside the middle window of the words, never after the last.
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    RandomSource random(seed);
    std::u16string text = u"ОДИН ДВА ТРИ ЧЕТЫРЕ ПЯТЬ ШЕСТЬ СЕМЬ ВОСЕМЬ ДЕВЯТЬ ДЕСЯТЬ ОДИННАДЦАТЬ";
    QuoteAndPunctuate(random, text, 0, 1);
    std::size_t word = 0;  // the index of the word a mark follows
    for (const auto& token : SplitWords(text)) {
      if (token != u"—") ++word;
      if (token == u"—" || token.back() == u',') {
        EXPECT_TRUE(word >= 4 && word <= 7) << ToUtf8(text);
      }
    }
    EXPECT_NE(text.back(), u',');
  }
  const auto quotes = Shares(5000, [](RandomSource& r) {
    std::u16string w = u"СЛОВО";
    QuoteWord(r, w);
    return w;
  });
  EXPECT_NEAR(quotes.at(u"«СЛОВО»"), 0.2, 0.02);
  EXPECT_NEAR(quotes.at(u"\"СЛОВО\""), 0.8, 0.02);
}

}  // namespace
}  // namespace vm
