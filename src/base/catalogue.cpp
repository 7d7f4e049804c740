// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/catalogue.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "text/cp1251.h"
#include "text/letter_case.h"
#include "text/strings.h"

namespace vm {
namespace {

constexpr std::u16string_view kBasePrefix = u"source_";
constexpr std::u16string_view kBaseSuffix = u".txt";

// A name inside the folder: no separator, not "." or "..", no NUL.
bool IsPlainFileName(std::u16string_view name) {
  return !name.empty() && name != u"." && name != u".." &&
         name.find_first_of(std::u16string_view(u"/\0", 2)) == std::u16string_view::npos;
}

const std::u16string kNoEntry;

}  // namespace

void Catalogue::Clear() {
  entries_.clear();
}

void Catalogue::ScanFolder(const std::filesystem::path& folder) {
  std::vector<std::u16string> found;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  for (const std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::u16string name = Lower(DecodeFileName(it->path().filename()));
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
  return DecodeTextFile(name.native());
}

std::filesystem::path EncodeFileName(std::u16string_view name) {
  return std::filesystem::path(ToUtf8(name));
}

std::filesystem::path ResolveBaseFile(const std::filesystem::path& folder,
                                      std::u16string_view baseName) {
  if (!IsPlainFileName(baseName)) return {};
  const std::filesystem::path exact = folder / EncodeFileName(baseName);
  std::error_code ec;
  if (std::filesystem::exists(exact, ec)) return exact;
  std::filesystem::directory_iterator it(folder, ec);
  for (const std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError) &&
        EqualsIgnoringCase(DecodeFileName(it->path().filename()), baseName))
      return it->path();
  }
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
