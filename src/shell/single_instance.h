// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The single-instance lock kept in the program's data folder: an advisory
// lock, so only a live holder counts, whatever the lock file holds.
#include <filesystem>
#include <string>

#include "platform/platform.h"

namespace vm::shell {

class SingleInstance {
 public:
  // Tries to take the lock at once.
  explicit SingleInstance(const std::filesystem::path& dataFolder);
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  // The lock file goes with the instance that held it.
  ~SingleInstance();
  // False while another instance holds the lock. True also when no lock can
  // be made at all (a full disk, a read-only folder): the program then runs
  // unguarded, and Unguarded() says why.
  bool Acquired() const { return lock_.Held() || !unguarded_.empty(); }
  const std::string& Unguarded() const { return unguarded_; }
  // Tries again unless the lock is held already; returns Acquired().
  bool TryAgain();

 private:
  std::filesystem::path path_;
  platform::FileLock lock_;
  std::string unguarded_;
};

}  // namespace vm::shell
