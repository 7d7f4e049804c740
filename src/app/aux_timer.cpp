// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/aux_timer.h"

#include "app/option_availability.h"
#include "app/program.h"
#include "base/scramble.h"
#include "generation/pseudo_word.h"
#include "generation/separator.h"
#include "text/strings.h"

namespace vm {

AuxTimer::AuxTimer(Program& program)
    : program_(program), life_(program.Random(), [&program](int x, int y, bool alive) {
        program.GetShell().DrawLifeCell(x, y, alive);
      }) {}

void AuxTimer::TmrAUX_Timer() {
  Shell& shell = program_.GetShell();
  RandomSource& random = program_.Random();
  const bool beat = beat_.IsBeat(shell.TickCount());
  if (shell.IsWindowVisible()) life_.LifeTick();
  if (!beat) return;

  OptionBoxes boxes{};
  for (int i = 0; i < kOptionCount; ++i) boxes[static_cast<std::size_t>(i)] = shell.OptionValue(i);
  for (const OptionAvailability& row : OptionAvailabilities(boxes)) {
    shell.SetOptionEnabled(row.index, row.enabled);
  }

  if (Chance(random, 0.1F)) shell.SetChaosTooltip(MakeChaosTooltip(random));

  if (!shell.ControlKeyHeld() && program_.AutoGen() != 0) program_.SHIT(program_.AutoGen(), 0);

  if (Chance(random, 0.03F)) shell.SetCaption(ScrambleText(program_.ScrambledCaption()));
}

std::u16string MakeChaosTooltip(RandomSource& random) {
  const std::int32_t a = RandomUpTo(random, 1);
  const std::int32_t b = RandomUpTo(random, 1);
  const std::int32_t c = RandomUpTo(random, 5);
  const std::int32_t d = RandomUpTo(random, 1);
  const bool f = Chance(random, 0.5F);
  const std::u16string p = MakeSeparator(random, true, true, 100);
  const std::u16string w1 = MakePseudoWord(random, a + 2, static_cast<std::uint8_t>(b + 1), true);
  const std::u16string w2 = MakePseudoWord(random, c + 2, static_cast<std::uint8_t>(d + 1), f);
  std::u16string tip = w1 + u"-" + w2 + p;
  TrimRightBlanksInPlace(tip);
  return tip;
}

}  // namespace vm
