#include "base/phrase_base.h"

#include "base/word_end.h"
#include "text/letter_case.h"
#include "text/strings.h"

namespace vm {

PhraseBase IndexBaseText(std::u16string text, const std::function<std::int64_t()>& tick,
                         IndexTimings& timings) {
  PhraseBase base;
  std::int64_t start = tick();
  ReplaceAll(text, u"\n\r", kCrLf);
  UpperInPlace(text);
  timings.I1 = tick() - start;

  start = tick();
  base.lines = Split(text, kCrLf);
  timings.I2 = tick() - start;

  start = tick();
  FoldRhymeLetters(text);
  base.keys = Split(text, kCrLf);
  timings.I3 = tick() - start;
  return base;
}

}  // namespace vm
