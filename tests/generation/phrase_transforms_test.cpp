#include "generation/phrase_transforms.h"

#include <gtest/gtest.h>

#include "text/cp1251.h"
#include "text/strings.h"

namespace vm {
namespace {

PhraseBase MakeBase(const std::vector<std::u16string>& lines) {
  IndexTimings timings;
  return IndexBaseText(
      Join(lines, kCrLf), [] { return std::int64_t{0}; }, timings);
}

TEST(WrapInTags, TagPairsByDraw) {
  const std::u16string bracket[4][2] = {
      {u"[b]", u"[/b]"}, {u"[spoiler]", u"[/spoiler]"}, {u"[u]", u"[/u]"}, {u"[s]", u"[/s]"}};
  const std::u16string classic[4][2] = {
      {u"**", u"**"}, {u"%%", u"%%"}, {u"__", u"__"}, {u"*", u"*"}};
  int seen[4] = {};
  for (std::uint32_t seed = 1; seed <= 100; ++seed) {
    for (bool classicTags : {false, true}) {
      RandomSource random(seed), twin(seed);
      const auto k = RandomUpTo(twin, 3);
      ++seen[k];
      std::u16string phrase = u"КОТ.";
      WrapInTags(random, phrase, classicTags);
      const auto& tags = classicTags ? classic[k] : bracket[k];
      EXPECT_EQ(phrase, tags[0] + u"КОТ." + tags[1]);
      if (classicTags && k == 3) {
        EXPECT_EQ(phrase, u"*КОТ.*");
      }
    }
  }
  for (int count : seen) EXPECT_GT(count, 0);
}

class MorphWordsTest : public ::testing::Test {
 protected:
  // УМНЫЙ ends in НЫЙ and ПОВАЛ in ВАЛ (both in the table; ВАЛ folds to ХАЛ);
  // ПОФАЛ folds to the same ХАЛ, but ФАЛ itself is not in the table.
  const PhraseBase base_ = MakeBase({u"ОЧЕНЬ СТРАШНЫЙ", u"ОН УПАЛ", u"ЖИЛИ-БЫЛИ"});

  // How often each word of phrase changed over many seeds; the changed words
  // must come from allowed.
  std::vector<int> Changes(const std::u16string& phrase, bool keepLast,
                           const std::vector<std::u16string>& allowed) {
    const std::vector<std::u16string> before = SplitWords(phrase);
    std::vector<int> changes(before.size());
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
      RandomSource random(seed);
      std::vector<std::u16string> phrases{phrase};
      MorphWords(random, base_, phrases, keepLast);
      const std::vector<std::u16string> after = SplitWords(phrases[0]);
      EXPECT_EQ(after.size(), before.size());
      for (std::size_t j = 0; j < after.size() && j < before.size(); ++j) {
        if (after[j] == before[j]) continue;
        ++changes[j];
        EXPECT_NE(std::find(allowed.begin(), allowed.end(), after[j]), allowed.end())
            << ToUtf8(after[j]);
      }
    }
    return changes;
  }
};

TEST_F(MorphWordsTest, ReplacesOnlyLongWordsWithTableEndings) {
  const auto changes =
      Changes(u"НЫЙ УМНЫЙ ПОФАЛ ПОВАЛ умный ДОМИК УМНЫЙ", false, {u"СТРАШНЫЙ", u"УПАЛ"});
  EXPECT_EQ(changes[0], 0);  // three letters
  EXPECT_GT(changes[1], 100);
  EXPECT_LT(changes[1], 200);  // one draw at 0.5 per word
  EXPECT_EQ(changes[2], 0);    // ФАЛ not in the table
  EXPECT_GT(changes[3], 100);
  EXPECT_EQ(changes[4], 0);  // lower case never matches
  EXPECT_EQ(changes[5], 0);  // МИК not in the table
  EXPECT_GT(changes[6], 100);
}

TEST_F(MorphWordsTest, KeepLastSparesEachPhrasesLastWord) {
  const auto changes = Changes(u"УМНЫЙ ПОВАЛ УМНЫЙ", true, {u"СТРАШНЫЙ", u"УПАЛ"});
  EXPECT_GT(changes[0], 100);
  EXPECT_GT(changes[1], 100);
  EXPECT_EQ(changes[2], 0);
  EXPECT_EQ(Changes(u"УМНЫЙ", true, {})[0], 0);
}

TEST_F(MorphWordsTest, OneDrawPerConsideredWordWhenNothingIsFound) {
  const PhraseBase empty;
  RandomSource random(8), twin(8);
  std::vector<std::u16string> phrases{u"УМНЫЙ КОТ ДОМИК", u"", u"А  Б"};
  MorphWords(random, empty, phrases, false);
  EXPECT_EQ(phrases, (std::vector<std::u16string>{u"УМНЫЙ КОТ ДОМИК", u"", u"А  Б"}));
  twin.Next();
  twin.Next();
  EXPECT_EQ(random.Next(), twin.Next());
}

// The word index each non-blank separator follows, for words "ААА", "БББ", ...
std::vector<int> SeparatedWords(const std::u16string& text, int words) {
  std::vector<int> out;
  for (int i = 0; i < words; ++i) {
    const std::u16string word(3, static_cast<char16_t>(u'А' + i));
    const std::size_t at = text.find(word);
    EXPECT_NE(at, std::u16string::npos);
    const std::size_t after = at + 3;
    if (after == text.size()) {
      EXPECT_EQ(i, words - 1);
    } else if (text[after] != u' ' ||
               text.compare(after, 2, u" \u2014") == 0) {  // a comma or a dash
      out.push_back(i);
    }
  }
  return out;
}

std::u16string Words(int count) {
  std::u16string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += u' ';
    text += std::u16string(3, static_cast<char16_t>(u'А' + i));
  }
  return text;
}

TEST(QuoteAndPunctuate, SeparatorsOnlyInsideTheMiddleWindow) {
  // 16 words: U = 15, window 4.5 -> 4 (half to even) .. 9; 6 words: U = 5,
  // window 1.5 -> 2 .. 3. Every separator drawn spends the small budget,
  // blank or not, so the chance is kept low to let later words have a turn.
  for (const auto& [count, lo, hi] : {std::tuple{16, 4, 9}, std::tuple{6, 2, 3}}) {
    std::vector<int> hits(count);
    for (std::uint32_t seed = 1; seed <= 600; ++seed) {
      RandomSource random(seed);
      std::u16string text = Words(count);
      QuoteAndPunctuate(random, text, 0.0, 0.3);
      for (int i : SeparatedWords(text, count)) ++hits[i];
    }
    for (int i = 0; i < count; ++i) {
      if (i < lo || i > hi) {
        EXPECT_EQ(hits[i], 0) << count << " words, word " << i;
      } else {
        EXPECT_GT(hits[i], 0) << count << " words, word " << i;
      }
    }
  }
}

TEST(QuoteAndPunctuate, QuoteBudgetFollowsTheLength) {
  // 40 words of 3 letters: 159 characters, a budget of 159 / 32 + 1 = 5.
  RandomSource random(4);
  std::u16string text = Words(40);
  QuoteAndPunctuate(random, text, 1.0, 0.0);
  const std::vector<std::u16string> words = SplitWords(text);
  ASSERT_EQ(words.size(), 40u);
  for (std::size_t i = 0; i < words.size(); ++i) {
    EXPECT_EQ(words[i].size(), i < 5 ? 5u : 3u) << i;
  }

  // Words of two letters or fewer are never quoted.
  std::u16string shortWords = u"А БВ ГД Е";
  QuoteAndPunctuate(random, shortWords, 1.0, 1.0);
  EXPECT_EQ(shortWords, u"А БВ ГД Е");
}

TEST(QuoteAndPunctuate, LongTextBudgetStopsAt255) {
  std::u16string text;
  for (int i = 0; i < 5000; ++i) text += i == 0 ? u"ААА" : u" ААА";
  RandomSource random(6);
  QuoteAndPunctuate(random, text, 1.0, 0.0);
  const std::vector<std::u16string> words = SplitWords(text);
  std::size_t quoted = 0;
  for (const auto& w : words) quoted += w.size() == 5 ? 1 : 0;
  EXPECT_EQ(quoted, 255u);
}

TEST(QuoteWord, GuillemetsOneTimeInFive) {
  int guillemets = 0;
  for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
    RandomSource random(seed);
    std::u16string word = u"КОТ";
    QuoteWord(random, word);
    if (word == u"«КОТ»") {
      ++guillemets;
    } else {
      EXPECT_EQ(word, u"\"КОТ\"");
    }
  }
  EXPECT_GT(guillemets, 320);
  EXPECT_LT(guillemets, 480);
}

}  // namespace
}  // namespace vm
