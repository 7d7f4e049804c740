// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/rhyme_search.h"

#include <algorithm>

#include "base/word_end.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace vm {
namespace {

// The query's folded last word and its last n characters.
struct RhymeQuery {
  std::u16string keyWord;
  std::u16string_view ending;
  std::size_t n = 0;
  // For n from 1 to 3 the digests answer EndMatches (the ending packed as
  // KeyDigest packs a key's tail) and rule out most keys without an inner
  // match.
  bool digested = false;
  std::uint64_t tailMask = 0;
  std::uint64_t tail = 0;       // outside the mask when the ending is short
  std::uint64_t innerBits = 0;  // 0: the digest cannot rule out an inner match
};

void MakeQuery(std::u16string_view word, std::int32_t endingLength, RhymeQuery& query) {
  query.keyWord = LastWord(word, true, true, 0);
  query.n = static_cast<std::size_t>(std::max<std::int32_t>(endingLength, 0));
  query.ending = Right(query.keyWord, query.n);
  const std::size_t n = query.n;
  const std::u16string_view e = query.ending;
  query.digested = n >= 1 && n <= 3;
  if (!query.digested) return;
  query.tailMask = (std::uint64_t{1} << (16 * n)) - 1;
  if (e.size() == n) {
    for (std::size_t k = 1; k <= n; ++k) query.tail |= std::uint64_t{e[n - k]} << (16 * (k - 1));
  } else {
    query.tail = ~std::uint64_t{0};
  }
  if (e.size() == 3) query.innerBits = KeyEndBits(e[0], e[1], e[2]);
}

// EndMatches, from a key's digest.
bool DigestEndMatches(const KeyDigest& digest, const RhymeQuery& query) {
  return (digest.tail >> 48) >= query.n && (digest.tail & query.tailMask) == query.tail;
}

// False when the key surely does not hold the ending followed by a blank.
bool DigestMayHoldInner(const KeyDigest& digest, const RhymeQuery& query) {
  return (digest.inner & query.innerBits) == query.innerBits;
}

// The query's ending, and the ending with a blank after it, in the form the
// keys are kept in (Char: char for Windows-1251 codes, char16_t for UTF-16).
// A narrow key never holds a character without a code: an ending with one
// matches nothing.
template <typename Char>
struct Ending {
  std::basic_string<Char> ending;
  std::basic_string<Char> endingBlank;
  bool possible = true;

  explicit Ending(std::u16string_view text) {
    if constexpr (sizeof(Char) == 1) {
      for (const char16_t c : text) {
        const int code = CharToCp1251(c);
        if (code < 0) possible = false;
        ending.push_back(static_cast<char>(code));
      }
    } else {
      ending = text;
    }
    endingBlank = ending + Char{' '};
  }
};

// Characters as the text helpers take them.
inline std::u16string_view AsText(std::u16string_view text) {
  return text;
}
inline std::u16string AsText(std::string_view codes) {
  return DecodeCp1251(codes);
}

template <typename Char>
std::basic_string_view<Char> LastWordOf(std::basic_string_view<Char> text) {
  std::size_t i = text.size();
  while (i > 0 && text[i - 1] != Char{' '} && text[i - 1] != Char{'-'}) --i;
  return text.substr(i);
}

template <typename Char>
std::basic_string_view<Char> RightOf(std::basic_string_view<Char> text, std::size_t n) {
  return n >= text.size() ? text : text.substr(text.size() - n);
}

// The key ends in the ending: its last n characters equal it (a key shorter
// than n, or an ending shorter than n, never matches).
template <typename Char>
bool EndMatches(std::basic_string_view<Char> key, const RhymeQuery& query,
                const Ending<Char>& ending) {
  return ending.possible && key.size() >= query.n &&
         key.substr(key.size() - query.n) == ending.ending;
}

// The key's last word (hyphens stop), cut to the length of the query word
// (uncut when that is 0), occurs inside the query word.
template <typename Char>
bool TailInsideKeyWord(std::basic_string_view<Char> key, const RhymeQuery& query) {
  std::basic_string_view<Char> tail = LastWordOf(key);
  const std::size_t limit = query.keyWord.size();
  if (limit != 0 && tail.size() > limit) tail = tail.substr(tail.size() - limit);
  return Contains(query.keyWord, AsText(tail));
}

void Put(std::vector<std::u16string>& list, const BaseLine& word) {
  list.push_back(word.Text());
}
void Put(std::vector<BaseLine>& list, const BaseLine& word) {
  list.push_back(word);
}

template <typename Char, typename Word>
std::int32_t CollectRhymeWords(RandomSource& random, const PhraseBase& base,
                               const RhymeQuery& query, std::vector<Word>& list, bool sameWordCheck,
                               std::int32_t& tries) {
  const std::int32_t ubound = base.UBound();
  const Ending<Char> ending(query.ending);
  const KeyDigest* digests = query.digested ? base.KeyDigests().data() : nullptr;

  for (std::int32_t r = 0; r <= ubound; ++r) {
    std::int32_t number = r;
    if (tries != 0) {
      if (--tries == 0) break;
      number = RandomUpTo(random, ubound);
    }
    const auto at = static_cast<std::size_t>(number);
    bool endMatches = false;
    if (digests != nullptr) {
      // A key shorter than the ending neither ends in it nor holds it with a
      // blank; most others show by their digest that they do neither.
      const KeyDigest& digest = digests[at];
      if ((digest.tail >> 48) < query.n) continue;
      endMatches = DigestEndMatches(digest, query);
      if (!endMatches && !DigestMayHoldInner(digest, query)) continue;
    }
    const std::basic_string_view<Char> key = base.keys.At<Char>(at);
    if (digests == nullptr) {
      if (key.size() < query.n) continue;
      endMatches = EndMatches(key, query, ending);
    }

    if (endMatches) {
      if (!sameWordCheck || !TailInsideKeyWord(key, query)) {
        Put(list, base.lines[at].LastWord(true));
      }
      continue;
    }
    if (key.empty() || !ending.possible ||
        key.find(ending.endingBlank) == std::basic_string_view<Char>::npos)
      continue;

    // Inner match: every blank-separated piece of the line whose folded end
    // is the ending, taken as it stands in the line. The key is the folded
    // line, character for character, so its pieces are the folded pieces.
    const BaseLine line = base.lines[at];
    if (line.size() != key.size()) continue;
    std::size_t start = 0;
    while (true) {
      const std::size_t blank = key.find(Char{' '}, start);
      const std::size_t stop = blank == std::basic_string_view<Char>::npos ? key.size() : blank;
      const std::basic_string_view<Char> folded = key.substr(start, stop - start);
      if (RightOf(folded, query.n) == ending.ending &&
          (!sameWordCheck ||
           !Contains(query.keyWord, AsText(RightOf(folded, query.keyWord.size()))))) {
        Put(list, line.substr(start, stop - start));
      }
      if (blank == std::basic_string_view<Char>::npos) break;
      start = blank + 1;
    }
  }
  return static_cast<std::int32_t>(list.size()) - 1;
}

template <typename Word>
std::int32_t FindWords(RandomSource& random, const PhraseBase& base, std::u16string_view word,
                       std::int32_t endingLength, std::vector<Word>& list, bool sameWordCheck,
                       std::int32_t& tries) {
  list.clear();
  if (base.UBound() < 0) return -1;
  RhymeQuery query;
  MakeQuery(word, endingLength, query);
  return base.keys.IsNarrow()
             ? CollectRhymeWords<char>(random, base, query, list, sameWordCheck, tries)
             : CollectRhymeWords<char16_t>(random, base, query, list, sameWordCheck, tries);
}

template <typename Char>
std::int32_t CollectRhymeLines(RandomSource& random, const PhraseBase& base,
                               const RhymeQuery& query, std::vector<std::int32_t>& numbers,
                               std::int32_t highestIndex) {
  const std::int32_t ubound = base.UBound();
  const Ending<Char> ending(query.ending);
  const KeyDigest* digests = query.digested ? base.KeyDigests().data() : nullptr;
  std::int32_t filled = -1;
  for (int draw = 0; draw < 1024; ++draw) {
    const std::int32_t line = RandomUpTo(random, ubound);
    const auto at = static_cast<std::size_t>(line);
    if (digests != nullptr && !DigestEndMatches(digests[at], query)) continue;
    const std::basic_string_view<Char> key = base.keys.At<Char>(at);
    if (digests == nullptr && !EndMatches(key, query, ending)) continue;
    if (TailInsideKeyWord(key, query)) continue;
    numbers[static_cast<std::size_t>(++filled)] = line;
    if (filled == highestIndex) break;
  }
  return filled;
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
  return base.keys.IsNarrow()
             ? CollectRhymeLines<char>(random, base, query, numbers, highestIndex)
             : CollectRhymeLines<char16_t>(random, base, query, numbers, highestIndex);
}

std::int32_t FindRhymeWords(RandomSource& random, const PhraseBase& base, std::u16string_view word,
                            std::int32_t endingLength, std::vector<std::u16string>& list,
                            bool sameWordCheck, std::int32_t& tries) {
  return FindWords(random, base, word, endingLength, list, sameWordCheck, tries);
}

std::int32_t FindRhymeWords(RandomSource& random, const PhraseBase& base, std::u16string_view word,
                            std::int32_t endingLength, std::vector<BaseLine>& list,
                            bool sameWordCheck, std::int32_t& tries) {
  return FindWords(random, base, word, endingLength, list, sameWordCheck, tries);
}

}  // namespace vm
