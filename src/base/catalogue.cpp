// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/catalogue.h"

#include <algorithm>
#include <system_error>
#include <type_traits>
#include <utility>

#include "platform/platform.h"
#include "text/cp1251.h"
#include "text/letter_case.h"
#include "text/strings.h"

namespace vm {
namespace {

constexpr std::u16string_view kBasePrefix = u"source_";
constexpr std::u16string_view kBaseSuffix = u".txt";

// A name inside the folder: no separator (on Windows neither a backslash nor
// a drive), not "." or "..", no NUL.
bool IsPlainFileName(std::u16string_view name) {
  if (name.empty() || name == u"." || name == u".." ||
      name.find(u'\0') != std::u16string_view::npos)
    return false;
  const std::filesystem::path path = EncodeFileName(name);
  return path == path.filename() && !path.has_root_path();
}

// Linux names are bytes, Windows names UTF-16 units.
template <typename Native>
std::u16string DecodeNative(const Native& native) {
  if constexpr (sizeof(typename Native::value_type) == 1)
    return DecodeTextFile(native);
  else
    return std::u16string(native.begin(), native.end());
}

const std::u16string kNoEntry;

}  // namespace

void Catalogue::Clear() {
  entries_.clear();
}

void Catalogue::ScanFolder(const std::filesystem::path& folder) {
  std::vector<std::u16string> found;
  for (const platform::FolderEntry& entry : platform::ListFolder(folder)) {
    if (!entry.regular) continue;
    std::u16string name = Lower(DecodeFileName(entry.name));
    if (StartsWith(name, kBasePrefix) && EndsWith(name, kBaseSuffix))
      found.push_back(std::move(name));
  }
  // Folders list in no useful order; the menu lists by name, ignoring case.
  std::sort(found.begin(), found.end());
  entries_.insert(entries_.end(), std::make_move_iterator(found.begin()),
                  std::make_move_iterator(found.end()));
}

const std::u16string& Catalogue::Entry(std::int32_t i) const {
  return i >= 1 && i <= Count() ? entries_[static_cast<std::size_t>(i - 1)] : kNoEntry;
}

std::u16string DecodeFileName(const std::filesystem::path& name) {
  return DecodeNative(name.native());
}

std::filesystem::path EncodeFileName(std::u16string_view name) {
  if constexpr (sizeof(std::filesystem::path::value_type) == 1)
    return std::filesystem::path(ToUtf8(name));
  else
    return std::filesystem::path(std::wstring(name.begin(), name.end()));
}

std::filesystem::path ResolveBaseFile(const std::filesystem::path& folder,
                                      std::u16string_view baseName) {
  if (!IsPlainFileName(baseName)) return {};
  const std::filesystem::path exact = folder / EncodeFileName(baseName);
  std::error_code ec;
  if (std::filesystem::exists(exact, ec)) return exact;
  for (const platform::FolderEntry& entry : platform::ListFolder(folder))
    if (entry.regular && EqualsIgnoringCase(DecodeFileName(entry.name), baseName))
      return folder / entry.name;
  return exact;
}

MainMenuState BuildMainMenuState(const Catalogue& catalogue, BaseSource baseKind,
                                 std::u16string_view baseName,
                                 std::u16string_view currentOpenCaption) {
  MainMenuState menu;
  menu.builtinChecked[0] = baseKind == BaseSource::kStandard;
  menu.builtinChecked[1] = baseKind == BaseSource::kTrash;
  for (int i = 1; i <= kMenuFileEntries; ++i) {
    MainMenuState::Entry& entry = menu.files[i - 1];
    if (i <= catalogue.Count()) {
      entry.visible = true;
      entry.enabled = true;
      entry.caption = catalogue.Entry(i);
      entry.checked = baseKind == BaseSource::kFile && EqualsIgnoringCase(entry.caption, baseName);
    } else {
      // The first entry stays visible but greyed; the rest are hidden.
      entry.visible = i == 1;
      entry.enabled = i != 1;
    }
  }
  // The caption's first word (up to and including its first blank) survives.
  const std::size_t blank = currentOpenCaption.find(u' ');
  const std::u16string_view head = blank == std::u16string_view::npos
                                       ? std::u16string_view()
                                       : currentOpenCaption.substr(0, blank + 1);
  menu.openCaption = std::u16string(head) + u"\"" + std::u16string(baseName) + u"\"";
  menu.fileCommandsEnabled = baseKind == BaseSource::kFile;
  return menu;
}

}  // namespace vm
