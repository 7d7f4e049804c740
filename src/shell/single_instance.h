// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The single-instance lock kept in the program's data folder.
#include <QLockFile>
#include <filesystem>

namespace vm::shell {

class SingleInstance {
 public:
  // Tries to take the lock at once.
  explicit SingleInstance(const std::filesystem::path& dataFolder);
  // False while another instance holds the lock. A lock left behind by a
  // process that no longer runs is taken over.
  bool Acquired() const { return acquired_; }
  // Tries again unless the lock is held already; returns Acquired().
  bool TryAgain();

 private:
  QLockFile lock_;
  bool acquired_ = false;
};

}  // namespace vm::shell
