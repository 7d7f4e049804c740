// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/single_instance.h"

namespace vm::shell {

SingleInstance::SingleInstance(const std::filesystem::path& dataFolder)
    : path_(dataFolder / "verbalomatic.lock") {
  TryAgain();
}

SingleInstance::~SingleInstance() {
  if (!lock_.Held()) return;
  std::error_code ec;
  std::filesystem::remove(path_, ec);
  lock_.Unlock();
}

bool SingleInstance::TryAgain() {
  if (Acquired()) return true;
  std::string error;
  if (!lock_.TryLock(path_, error) && !lock_.Busy()) unguarded_ = error;
  return Acquired();
}

}  // namespace vm::shell
