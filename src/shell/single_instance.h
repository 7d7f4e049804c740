// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program folder and the single-instance lock kept in it.
#include <QLockFile>
#include <QString>
#include <filesystem>

namespace vm::shell {

// The executable's folder when it is writable, else the per-user data folder.
std::filesystem::path ChooseProgramFolder(const QString& executableFolder);

class SingleInstance {
 public:
  explicit SingleInstance(const std::filesystem::path& programFolder);
  // False when another instance holds the lock. A lock left behind by a
  // process that no longer runs is taken over.
  bool Acquired() const { return acquired_; }

 private:
  QLockFile lock_;
  bool acquired_ = false;
};

}  // namespace vm::shell
