#include "generation/phrase_transforms.h"

#include <gtest/gtest.h>

#include "text/cp1251.h"
#include "text/strings.h"

namespace vm {
namespace {

using Words = std::vector<std::u16string>;

TEST(WrapInTags, TagPairsByDraw) {
  const std::u16string bracket[4][2] = {
      {u"[b]", u"[/b]"}, {u"[spoiler]", u"[/spoiler]"}, {u"[u]", u"[/u]"}, {u"[s]", u"[/s]"}};
  const std::u16string classic[4][2] = {
      {u"**", u"**"}, {u"%%", u"%%"}, {u"__", u"__"}, {u"*", u"*"}};
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    for (bool classicTags : {false, true}) {
      RandomSource random(seed), twin(seed);
      const auto k = RandomUpTo(twin, 3);
      std::u16string phrase = u"КОТ.";
      WrapInTags(random, phrase, classicTags);
      const auto& tags = classicTags ? classic[k] : bracket[k];
      EXPECT_EQ(phrase, tags[0] + u"КОТ." + tags[1]);
    }
  }
}

// How often each word of phrase changed under 300 seeds; changed words must
// be base words with the same ending. УМНЫЙ and ПОВАЛ end in table endings;
// ПОФАЛ folds like ПОВАЛ, but ФАЛ is not in the table.
std::vector<int> Morphs(const std::u16string& phrase, bool keepLast) {
  IndexTimings timings;
  const PhraseBase base = IndexBaseText(
      u"ОЧЕНЬ СТРАШНЫЙ\r\nОН УПАЛ", [] { return std::int64_t{0}; }, timings);
  const Words before = SplitWords(phrase);
  std::vector<int> changes(before.size());
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    RandomSource random(seed);
    Words phrases{phrase};
    MorphWords(random, base, phrases, keepLast);
    const Words after = SplitWords(phrases[0]);
    EXPECT_EQ(after.size(), before.size());
    for (std::size_t j = 0; j < after.size() && j < before.size(); ++j) {
      if (after[j] == before[j]) continue;
      ++changes[j];
      EXPECT_TRUE(after[j] == u"СТРАШНЫЙ" || after[j] == u"УПАЛ") << ToUtf8(after[j]);
    }
  }
  return changes;
}

TEST(MorphWords, ReplacesOnlyLongWordsWithTableEndings) {
  const auto changes = Morphs(u"НЫЙ УМНЫЙ ПОФАЛ ПОВАЛ умный ДОМИК УМНЫЙ", false);
  EXPECT_EQ(changes, (std::vector<int>{0, changes[1], 0, changes[3], 0, 0, changes[6]}));
  for (int j : {1, 3, 6}) EXPECT_NEAR(changes[j], 150, 50);  // one draw at 0.5 per word
  const auto spared = Morphs(u"УМНЫЙ ПОВАЛ УМНЫЙ", true);
  EXPECT_GT(spared[0], 100);
  EXPECT_EQ(spared[2], 0);
}

TEST(MorphWords, OneDrawPerConsideredWord) {
  RandomSource random(8), twin(8);
  Words phrases{u"УМНЫЙ КОТ ДОМИК", u"", u"А  Б"};
  MorphWords(random, PhraseBase{}, phrases, false);
  EXPECT_EQ(phrases, (Words{u"УМНЫЙ КОТ ДОМИК", u"", u"А  Б"}));
  twin.Next();
  twin.Next();
  EXPECT_EQ(random.Next(), twin.Next());
}

// count words "ААА", "БББ", ... joined by blanks.
std::u16string Letters(int count) {
  std::u16string text;
  for (int i = 0; i < count; ++i) {
    text += (i > 0 ? u" " : u"") + std::u16string(3, static_cast<char16_t>(u'А' + i));
  }
  return text;
}

TEST(QuoteAndPunctuate, SeparatorsOnlyInsideTheMiddleWindow) {
  // U = 15: window 4.5 -> 4 (half to even) .. 9; U = 5: 1.5 -> 2 .. 3. Every
  // separator drawn spends the small budget, blank or not, so the chance is
  // kept low to give later words a turn.
  for (const auto& [count, lo, hi] : {std::tuple{16, 4, 9}, std::tuple{6, 2, 3}}) {
    std::vector<int> hits(count);
    for (std::uint32_t seed = 1; seed <= 600; ++seed) {
      RandomSource random(seed);
      std::u16string text = Letters(count);
      QuoteAndPunctuate(random, text, 0.0, 0.3);
      for (int i = 0; i < count; ++i) {
        const std::size_t after = text.find(std::u16string(3, u'А' + i)) + 3;
        if (after == text.size()) continue;
        hits[i] += text[after] != u' ' || text[after + 1] == u'\u2014';
      }
      EXPECT_TRUE(EndsWith(text, std::u16string(3, u'А' + count - 1)));
    }
    for (int i = 0; i < count; ++i) EXPECT_EQ(hits[i] > 0, i >= lo && i <= hi) << count << " " << i;
  }
}

TEST(QuoteAndPunctuate, QuoteBudgetFollowsTheLength) {
  RandomSource random(4);
  std::u16string text = Letters(40);  // 159 characters: a budget of 159 / 32 + 1 = 5
  QuoteAndPunctuate(random, text, 1.0, 0.0);
  const Words words = SplitWords(text);
  ASSERT_EQ(words.size(), 40u);
  for (std::size_t i = 0; i < words.size(); ++i) EXPECT_EQ(words[i].size(), i < 5 ? 5u : 3u);

  std::u16string shortWords = u"А БВ ГД Е";  // never quoted
  QuoteAndPunctuate(random, shortWords, 1.0, 1.0);
  EXPECT_EQ(shortWords, u"А БВ ГД Е");

  // The 8-bit budget holds at 255 for long texts instead of wrapping round.
  std::u16string longText = u"ААА";
  for (int i = 1; i < 5000; ++i) longText += u" ААА";
  QuoteAndPunctuate(random, longText, 1.0, 0.0);
  EXPECT_EQ(longText.size(), 5000 * 4 - 1 + 255 * 2);
}

TEST(QuoteWord, GuillemetsOneTimeInFive) {
  int guillemets = 0;
  for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
    RandomSource random(seed);
    std::u16string word = u"КОТ";
    QuoteWord(random, word);
    guillemets += word == u"«КОТ»";
    EXPECT_TRUE(word == u"«КОТ»" || word == u"\"КОТ\"") << ToUtf8(word);
  }
  EXPECT_NEAR(guillemets, 400, 80);
}

}  // namespace
}  // namespace vm
