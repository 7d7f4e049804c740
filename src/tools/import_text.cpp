// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/import_text.h"

#include <algorithm>

#include "base/catalogue.h"
#include "text/letter_case.h"
#include "text/strings.h"
#include "tools/fix_symbols.h"

namespace vm {
namespace {

constexpr char16_t kCutMark = u'\x01';

// Replaces every LF by CR LF in one rebuild.
std::u16string ExpandLineFeeds(const std::u16string& text) {
  const auto feeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n'));
  if (feeds == 0) return text;
  std::u16string out;
  out.reserve(text.size() + feeds);
  for (const char16_t ch : text) {
    if (ch == u'\n') out.push_back(u'\r');
    out.push_back(ch);
  }
  return out;
}

}  // namespace

std::filesystem::path ImportTargetPath(const std::filesystem::path& folder,
                                       const std::filesystem::path& source) {
  std::u16string name = u"source_" + Lower(DecodeFileName(source.filename()));
  if (!EndsWith(name, u".txt")) name += u".txt";
  return folder / EncodeFileName(name);
}

void CutIntoPhraseLines(std::u16string& text, const std::function<std::int32_t()>& threshold) {
  // Positions are 1-based as in the rule: d is the distance from the last cut.
  std::size_t lastCut = 1;
  for (std::size_t i = 1; i <= text.size(); ++i) {
    char16_t& c = text[i - 1];
    const std::size_t d = i - lastCut;
    const auto limit = static_cast<std::size_t>(std::max<std::int32_t>(threshold(), 0));
    const bool lineBreak = c == u'\n' || c == u'\r';
    if (d >= limit ? (lineBreak || c == u' ') : (d >= 3 && lineBreak)) {
      c = kCutMark;
      lastCut = i;
    }
  }
  std::erase(text, u'\n');
  std::erase(text, u'\r');
  const auto marks = static_cast<std::size_t>(std::count(text.begin(), text.end(), kCutMark));
  if (marks == 0) return;
  std::u16string out;
  out.reserve(text.size() + marks);
  for (const char16_t ch : text) {
    if (ch == kCutMark) {
      out += kCrLf;
    } else {
      out.push_back(ch);
    }
  }
  text = std::move(out);
}

void CutIntoPhraseLines(RandomSource& random, std::u16string& text) {
  CutIntoPhraseLines(text, [&random] { return 20 + RandomUpTo(random, 10); });
}

std::u16string PrepareImportedBase(RandomSource& random, std::u16string text,
                                   const std::function<void()>& yield,
                                   const std::function<void(std::int32_t passChanges)>& passDone) {
  CutIntoPhraseLines(random, text);
  UpperInPlace(text);
  if (yield) yield();
  FixSymbolsProgress progress;
  progress.yield = yield;
  progress.passDone = [&](std::int32_t changes) {
    if (passDone) passDone(changes);
    if (yield) yield();
  };
  FixSymbols(text, progress);
  return ExpandLineFeeds(text);
}

}  // namespace vm
