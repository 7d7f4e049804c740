// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/rhyme_search.h"

#include <algorithm>

#include "base/word_end.h"
#include "text/strings.h"

namespace vm {
namespace {

// The query's folded last word and its last n characters.
struct RhymeQuery {
  std::u16string keyWord;
  std::u16string_view ending;
  std::size_t n = 0;
};

void MakeQuery(std::u16string_view word, std::int32_t endingLength, RhymeQuery& query) {
  query.keyWord = LastWord(word, true, true, 0);
  query.n = static_cast<std::size_t>(std::max<std::int32_t>(endingLength, 0));
  query.ending = Right(query.keyWord, query.n);
}

// The key ends in the ending: its last n characters equal it (a key shorter
// than n, or an ending shorter than n, never matches).
bool EndMatches(std::u16string_view key, const RhymeQuery& query) {
  return key.size() >= query.n && key.substr(key.size() - query.n) == query.ending;
}

// The key's last word (hyphens stop), cut to the length of the query word
// (uncut when that is 0), occurs inside the query word.
bool TailInsideKeyWord(std::u16string_view key, const RhymeQuery& query) {
  std::u16string_view tail = LastWordView(key, true);
  const std::size_t limit = query.keyWord.size();
  if (limit != 0 && tail.size() > limit) tail = tail.substr(tail.size() - limit);
  return Contains(query.keyWord, tail);
}

template <typename Word>
std::int32_t CollectRhymeWords(RandomSource& random, const PhraseBase& base,
                               std::u16string_view word, std::int32_t endingLength,
                               std::vector<Word>& list, bool sameWordCheck, std::int32_t& tries) {
  list.clear();
  const std::int32_t ubound = base.UBound();
  if (ubound < 0) return -1;
  RhymeQuery query;
  MakeQuery(word, endingLength, query);
  std::u16string endingBlank(query.ending);
  endingBlank.push_back(u' ');

  for (std::int32_t r = 0; r <= ubound; ++r) {
    std::int32_t number = r;
    if (tries != 0) {
      if (--tries == 0) break;
      number = RandomUpTo(random, ubound);
    }
    const std::u16string_view key = base.keys[static_cast<std::size_t>(number)];
    if (key.size() < query.n) continue;

    if (EndMatches(key, query)) {
      if (!sameWordCheck || !TailInsideKeyWord(key, query)) {
        list.emplace_back(LastWordView(base.lines[static_cast<std::size_t>(number)], true));
      }
      continue;
    }
    if (!Contains(key, endingBlank)) continue;

    // Inner match: every blank-separated piece of the line whose folded end
    // is the ending, taken as it stands in the line. The key is the folded
    // line, character for character, so its pieces are the folded pieces.
    const std::u16string_view line = base.lines[static_cast<std::size_t>(number)];
    if (line.size() != key.size()) continue;
    std::size_t start = 0;
    while (true) {
      const std::size_t blank = key.find(u' ', start);
      const std::size_t stop = blank == std::u16string_view::npos ? key.size() : blank;
      const std::u16string_view folded = key.substr(start, stop - start);
      if (Right(folded, query.n) == query.ending &&
          (!sameWordCheck || !Contains(query.keyWord, Right(folded, query.keyWord.size())))) {
        list.emplace_back(line.substr(start, stop - start));
      }
      if (blank == std::u16string_view::npos) break;
      start = blank + 1;
    }
  }
  return static_cast<std::int32_t>(list.size()) - 1;
}

}  // namespace

std::int32_t FindRhymeLines(RandomSource& random, const PhraseBase& base, std::u16string_view word,
                            std::int32_t endingLength, std::vector<std::int32_t>& numbers,
                            std::int32_t highestIndex) {
  const std::int32_t ubound = base.UBound();
  if (highestIndex < 0 || ubound < 0) return -1;
  if (numbers.size() < static_cast<std::size_t>(highestIndex) + 1) {
    numbers.resize(static_cast<std::size_t>(highestIndex) + 1);
  }
  RhymeQuery query;
  MakeQuery(word, endingLength, query);

  std::int32_t filled = -1;
  for (int draw = 0; draw < 1024; ++draw) {
    const std::int32_t line = RandomUpTo(random, ubound);
    const std::u16string_view key = base.keys[static_cast<std::size_t>(line)];
    if (!EndMatches(key, query)) continue;
    if (TailInsideKeyWord(key, query)) continue;
    numbers[static_cast<std::size_t>(++filled)] = line;
    if (filled == highestIndex) break;
  }
  return filled;
}

std::int32_t FindRhymeWords(RandomSource& random, const PhraseBase& base, std::u16string_view word,
                            std::int32_t endingLength, std::vector<std::u16string>& list,
                            bool sameWordCheck, std::int32_t& tries) {
  return CollectRhymeWords(random, base, word, endingLength, list, sameWordCheck, tries);
}

std::int32_t FindRhymeWords(RandomSource& random, const PhraseBase& base, std::u16string_view word,
                            std::int32_t endingLength, std::vector<std::u16string_view>& list,
                            bool sameWordCheck, std::int32_t& tries) {
  return CollectRhymeWords(random, base, word, endingLength, list, sameWordCheck, tries);
}

}  // namespace vm
