// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The catalogue of base files beside the program ("source_*.txt") and the
// state of the main menu built from it.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/builtin_bases.h"

namespace vm {

inline constexpr int kMenuFileEntries = 20;

class Catalogue {
 public:
  void Clear();
  // Adds every base file among the folder's regular files, in listing order.
  // Not recursive; an unreadable folder adds nothing.
  void ScanFolder(const std::filesystem::path& folder);

  std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }
  // Entry i, 1-based: the lower-cased file name. Empty when out of range.
  const std::u16string& Entry(std::int32_t i) const;

 private:
  std::vector<std::u16string> entries_;
};

// File names on Linux are bytes: UTF-8 when valid, else Windows-1251. On
// Windows they are UTF-16 already.
std::u16string DecodeFileName(const std::filesystem::path& name);
// Names the program creates are written in UTF-8 on Linux.
std::filesystem::path EncodeFileName(std::u16string_view name);
// The file of the folder named baseName: the exact name when it exists, else
// the first regular file whose name equals it ignoring letter case, else the
// exact name (which does not exist). A name that is not a plain name inside
// the folder (a path, "." or "..") gives an empty path: a base never lies
// outside the folder.
std::filesystem::path ResolveBaseFile(const std::filesystem::path& folder,
                                      std::u16string_view baseName);

struct MainMenuState {
  // Check marks of mnuFileEn(1) "[VM: стандартный]" and (2) "[VM: треш]" at
  // indexes 0 and 1; index 2, the separator, is never checked.
  bool builtinChecked[3] = {};
  struct Entry {
    std::u16string caption;
    bool visible = false;
    bool enabled = false;
    bool checked = false;
  };
  Entry files[kMenuFileEntries];     // files[i - 1] is mnuFile(i)
  std::u16string openCaption;        // mnuOpen
  bool fileCommandsEnabled = false;  // mnuOpen, mnuClean, mnuReload
};

MainMenuState BuildMainMenuState(const Catalogue& catalogue, BaseSource baseKind,
                                 std::u16string_view baseName,
                                 std::u16string_view currentOpenCaption);

}  // namespace vm
