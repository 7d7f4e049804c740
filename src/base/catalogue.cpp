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

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerChar(a[i]) != LowerChar(b[i])) return false;
  return true;
}

// A name inside the folder: no separator, not "." or "..", no NUL.
bool IsPlainFileName(std::u16string_view name) {
  return !name.empty() && name != u"." && name != u".." &&
         name.find_first_of(std::u16string_view(u"/\0", 2)) == std::u16string_view::npos;
}

const std::u16string kNoEntry;
const std::filesystem::path kNoPath;

}  // namespace

void Catalogue::Clear() {
  entries_.clear();
  paths_.clear();
}

void Catalogue::ScanFolder(const std::filesystem::path& folder) {
  std::vector<std::pair<std::u16string, std::filesystem::path>> found;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  for (const std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    found.emplace_back(DecodeFileName(it->path().filename()), it->path());
  }
  // Folders list in no useful order; the menu lists by name, ignoring case.
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    const std::u16string la = Lower(a.first);
    const std::u16string lb = Lower(b.first);
    return la != lb ? la < lb : a.first < b.first;
  });
  for (auto& [name, path] : found) Add(name, std::move(path));
}

void Catalogue::AddCatalogueFile(std::u16string_view name) {
  Add(name, EncodeFileName(name));
}

void Catalogue::Add(std::u16string_view name, std::filesystem::path path) {
  std::u16string lower = Lower(name);
  if (!StartsWith(lower, kBasePrefix) || !EndsWith(lower, kBaseSuffix)) return;
  entries_.push_back(std::move(lower));
  paths_.push_back(std::move(path));
}

const std::u16string& Catalogue::Entry(std::int32_t i) const {
  return i >= 1 && i <= Count() ? entries_[static_cast<std::size_t>(i - 1)] : kNoEntry;
}

const std::filesystem::path& Catalogue::EntryPath(std::int32_t i) const {
  return i >= 1 && i <= Count() ? paths_[static_cast<std::size_t>(i - 1)] : kNoPath;
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
        EqualIgnoringCase(DecodeFileName(it->path().filename()), baseName))
      return it->path();
  }
  return exact;
}

std::u16string WithBackslash(std::u16string_view path) {
  if (path.empty()) return u"/";
  if (path.back() == u'/') return std::u16string(path);
  return std::u16string(path) + u'/';
}

std::u16string_view TrimAtNul(std::u16string_view text) {
  return text.substr(0, text.find(u'\0'));
}

std::u16string FileNameOf(std::u16string_view path) {
  const std::size_t slash = path.rfind(u'/');
  return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

MainMenuState BuildMainMenuState(const Catalogue& catalogue, int baseKind,
                                 std::u16string_view baseName,
                                 std::u16string_view currentOpenCaption) {
  MainMenuState menu;
  menu.builtinChecked[0] = baseKind == 1;
  menu.builtinChecked[1] = baseKind == 2;
  for (int i = 1; i <= kMenuFileEntries; ++i) {
    MainMenuState::Entry& entry = menu.files[i - 1];
    if (i <= catalogue.Count()) {
      entry.visible = true;
      entry.enabled = true;
      entry.caption = catalogue.Entry(i);
      entry.checked = baseKind == 0 && EqualIgnoringCase(entry.caption, baseName);
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
  menu.fileCommandsEnabled = baseKind == 0;
  return menu;
}

}  // namespace vm
