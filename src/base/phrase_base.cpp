// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/phrase_base.h"

#include "base/word_end.h"
#include "text/letter_case.h"
#include "text/strings.h"

namespace vm {
namespace {

// Views of the lines of text between CR LF pairs.
std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
  std::vector<std::u16string_view> pieces;
  if (text.empty()) return pieces;
  pieces.reserve(text.size() / 32 + 1);
  const char16_t* const data = text.data();
  const std::size_t size = text.size();
  std::size_t start = 0;
  for (std::size_t i = 0; i + 1 < size; ++i) {
    if (data[i] == u'\r' && data[i + 1] == u'\n') {
      pieces.emplace_back(data + start, i - start);
      start = i + 2;
      ++i;
    }
  }
  pieces.emplace_back(data + start, size - start);
  return pieces;
}

// The same pieces in a buffer of the same length laid out like the first.
std::vector<std::u16string_view> Rebase(const std::vector<std::u16string_view>& pieces,
                                        const std::u16string& from, const std::u16string& to) {
  std::vector<std::u16string_view> out;
  out.reserve(pieces.size());
  for (const auto piece : pieces)
    out.emplace_back(to.data() + (piece.data() - from.data()), piece.size());
  return out;
}

}  // namespace

PhraseBase IndexBaseText(std::u16string input, const std::function<std::int64_t()>& tick,
                         IndexTimings& timings) {
  PhraseBase base;
  std::int64_t start = tick();
  auto text = std::make_shared<std::u16string>(std::move(input));
  ReplaceAll(*text, u"\n\r", kCrLf);
  // The generator's line-break marker is backslash and a small n; it must
  // survive the upper-casing (the keys see it upper-cased, as before).
  std::vector<std::size_t> markers;
  for (std::size_t at = text->find(kBreakMarker); at != std::u16string::npos;
       at = text->find(kBreakMarker, at + 2))
    markers.push_back(at + 1);
  UpperInPlace(*text);
  timings.I1 = tick() - start;

  start = tick();
  base.lines = SplitLines(*text);
  timings.I2 = tick() - start;

  // Folding keeps every character's place, so the keys sit where the lines do.
  start = tick();
  auto folded = std::make_shared<std::u16string>(FoldedCopy(*text));
  base.keys = Rebase(base.lines, *text, *folded);
  timings.I3 = tick() - start;
  for (const std::size_t at : markers) (*text)[at] = u'n';

  base.text = std::move(text);
  base.folded = std::move(folded);
  return base;
}

}  // namespace vm
