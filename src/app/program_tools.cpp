// SPDX-License-Identifier: GPL-3.0-or-later
// The base tools: main menu commands, formatter, import and journal.
#include <algorithm>
#include <ctime>

#include "app/program.h"
#include "base/catalogue.h"
#include "platform/platform.h"
#include "text/cp1251.h"
#include "text/scan.h"
#include "text/strings.h"
#include "tools/atomic_file.h"
#include "tools/duplicates.h"
#include "tools/fix_symbols.h"
#include "tools/import_text.h"
#include "tools/journal_record.h"
#include "tools/lines_word.h"
#include "tools/trash.h"

namespace vm {
namespace {

// Holds the busy flag for the life of a tool run, whichever way it ends.
class BusyScope {
 public:
  explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
  ~BusyScope() { flag_ = false; }

 private:
  bool& flag_;
};

// The lines joined with LF, as Windows-1251 codes ('?' for a character
// without one).
std::string JoinedCodes(const LineList& lines) {
  std::string codes;
  std::size_t total = 0;
  for (const BaseLine line : lines) total += line.size() + 1;
  codes.reserve(total);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) codes += '\n';
    if (lines.IsNarrow()) {
      codes += lines.At<char>(i);
    } else {
      codes += EncodeCp1251(lines.At<char16_t>(i));
    }
  }
  return codes;
}

// Views of the pieces of codes between LFs; no pieces at all when it is empty.
std::vector<std::string_view> SplitCodes(std::string_view codes) {
  std::vector<std::string_view> pieces;
  if (codes.empty()) return pieces;
  pieces.reserve(static_cast<std::size_t>(std::count(codes.begin(), codes.end(), '\n')) + 1);
  std::size_t start = 0;
  ForEachUnit(codes.data(), codes.size(), '\n', [&](std::size_t at) {
    pieces.push_back(codes.substr(start, at - start));
    start = at + 1;
  });
  pieces.push_back(codes.substr(start));
  return pieces;
}

// A UTF-8 source cut at the import limit may end inside a character.
void DropCutUtf8Tail(std::string& bytes, std::size_t from) {
  const std::size_t size = bytes.size() - from;
  std::size_t keep = size;
  for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
    const auto b = static_cast<unsigned char>(bytes[bytes.size() - back]);
    if ((b & 0xC0) == 0x80) continue;
    if (b >= 0xC0) keep = size - back;
    break;
  }
  if (keep != size && LooksLikeUtf8(std::string_view(bytes).substr(from, keep)))
    bytes.resize(from + keep);
}

}  // namespace

MainMenuState Program::PrepareMainMenu(std::u16string_view currentOpenCaption) {
  catalogue_.Clear();
  catalogue_.ScanFolder(programFolder_);
  return BuildMainMenuState(catalogue_, baseKind_, settings_.baseName, currentOpenCaption);
}

void Program::ChooseCatalogueEntry(int index) {
  if (index >= 1 && index <= catalogue_.Count()) {
    settings_.baseName = catalogue_.Entry(index);
    LoadBase();
  }
  catalogue_.Clear();
}

void Program::ChooseBuiltin(int index) {
  if (index != 1 && index != 2) return;
  settings_.baseName = index == 1 ? kBuiltinStandardName : kBuiltinTrashName;
  LoadBase();
}

void Program::OpenCurrentBase() {
  shell_.OpenWithAssociatedProgram(BaseFilePath(settings_.baseName));
}

void Program::Reload() {
  LoadBase();
}

void Program::ShowImportHint() {
  shell_.Inform(u"Перетащите текстовый файл с проводника в окно программы.");
}

std::filesystem::path Program::JournalPath() const {
  return programFolder_ / "+out.txt";
}

void Program::OpenJournal() {
  shell_.OpenWithAssociatedProgram(JournalPath());
}

bool Program::SaveToJournal() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  platform::LocalTime(now, local);
  std::string error;
  const std::filesystem::path path = JournalPath();
  const std::string record = JournalRecord(shell_.ShownText(), local, JournalEncodingOf(path));
  if (AppendJournalRecord(path, record, error)) return true;
  ShowCentred(u"Ошибка сохранения: \r\n" + DecodeTextFile(error));
  return false;
}

bool Program::ReplaceBaseFile(const std::filesystem::path& path, const std::string& bytes,
                              std::u16string& note, std::u16string& error) {
  // The new content is safe on disk first. The trash then receives the old
  // content, as a second link (the base file holds the old or the new
  // content at every moment) or as the base itself (the Recycle Bin records
  // only a file deleted from its own place; the path is empty until the
  // rename that follows at once); without a trash a backup beside the base
  // does. One rename puts the new content in place.
  std::filesystem::path fresh;
  std::string writeError;
  if (!WriteTemporaryBeside(path, bytes, fresh, writeError)) {
    error = DecodeTextFile(writeError);
    return false;
  }
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) {
    std::u16string trashError;
    if (!shell_.KeepInTrash(path, trashError)) {
      std::filesystem::path backup = path;
      backup += ".bak";
      std::string backupError;
      if (!KeepBackupCopy(path, backup, backupError)) {
        error = DecodeTextFile(backupError);
        std::filesystem::remove(fresh, ec);
        return false;
      }
      note = trashError.empty() ? std::u16string() : u"Корзина: " + trashError + u". ";
      note += u"Старая версия сохранена как " + DecodeFileName(backup.filename()) + u".";
    }
  }
  if (!platform::RenameOver(fresh, path, writeError)) {
    error = DecodeTextFile(writeError);
    if (std::filesystem::exists(path, ec)) {
      std::filesystem::remove(fresh, ec);
      return false;
    }
    // The old content went to the trash with the base itself: the new one is
    // kept beside it under a name that no later write clears away.
    std::filesystem::path kept = path;
    kept += ".new";
    std::string linkError;
    if (platform::LinkFile(fresh, kept, linkError) == platform::Created::kDone) {
      std::filesystem::remove(fresh, ec);
    } else {
      kept = fresh;
    }
    error += u". Новое содержимое: " + DecodeFileName(kept.filename());
    return false;
  }
  return true;
}

Program::FormatOutcome Program::FormatBase() {
  if (busy_) return FormatOutcome::kBusy;
  LoadBase();
  if (base_.UBound() == -1) {
    ShowCentred(settings_.baseName + u" пуст. Нет пути форматировать.");
    return FormatOutcome::kEmptyBase;
  }
  // One formatter at a time per base. The lock is a small file beside the
  // base (Windows will not replace a file that is held open), gone afterwards.
  struct FormatterLock {
    std::filesystem::path path;
    platform::FileLock lock;
    ~FormatterLock() {
      if (!lock.Held()) return;
      std::error_code ec;
      std::filesystem::remove(path, ec);
      lock.Unlock();
    }
  } formatterLock{FormatterLockPath(BaseFilePath(settings_.baseName)), {}};
  std::string lockError;
  if (!formatterLock.lock.TryLock(formatterLock.path, lockError) && formatterLock.lock.Busy()) {
    ShowCentred(settings_.baseName + u" занят: его уже форматирует другая программа.");
    return FormatOutcome::kBaseBusy;
  }
  BusyScope busy(busy_);
  const auto progress = [this](std::u16string_view text) {
    ShowCentred(text);
    shell_.ProcessEvents();
  };
  progress(u"Фикс символов...");

  // The formatter works on its own copy, the lines joined with LF as
  // Windows-1251 codes (the clean-up judges characters by their codes, and
  // deletes any without one); every path that changes the file reloads the
  // base from it afterwards.
  std::string text = JoinedCodes(base_.lines);
  FixSymbolsProgress fixProgress;
  fixProgress.yield = [this] { shell_.ProcessEvents(); };
  fixProgress.passDone = [&](std::int32_t changes) {
    progress(u"Фикс символов (-" + Decimal(changes) + u")");
  };
  const std::int32_t symbols = FixSymbols(text, fixProgress);
  std::vector<std::string_view> lines = SplitCodes(text);
  progress(u"Фикс символов... OK");

  const std::int32_t dropped =
      RemoveDuplicateLines(lines, [&](std::int64_t walked, std::int64_t total) {
        progress(u"Поиск дубликатов: " + Decimal(walked) + u" из " + Decimal(total));
      });
  progress(u"Поиск дубликатов: OK");

  if (symbols == 0 && dropped == 0) {
    ShowCentred(u"* Очистка завершена. Ничего лишнего не найдено.");
    return FormatOutcome::kUnchanged;
  }
  std::u16string report = u"* Очистка завершена:";
  if (dropped != 0) report += u"\r\n -" + Decimal(dropped) + u" " + LinesWord(dropped) + u".";
  if (symbols != 0) report += u"\r\n -" + Decimal(symbols) + u" символов.";
  ShowCentred(report);

  FormatOutcome outcome = FormatOutcome::kDeclined;
  if (shell_.AskYesNo(u"Перезаписать " + settings_.baseName + u"?", MessageIcon::kInformation)) {
    std::u16string note;
    std::u16string error;
    const std::filesystem::path path = BaseFilePath(settings_.baseName);
    report = shell_.ShownText();
    std::string bytes = EncodeCodeLines(lines, baseForm_);
    if (ReplaceBaseFile(path, bytes, note, error)) {
      report += u"\r\n" + settings_.baseName + u" обновлен.";
      if (!note.empty()) report += u"\r\n" + note;
      outcome = FormatOutcome::kWritten;
      // The reload below need not read back what was just written.
      writtenBase_ = std::move(bytes);
    } else {
      report += u"\r\n! " + error;
      outcome = FormatOutcome::kWriteFailed;
    }
    ShowCentred(report);
  }
  std::vector<std::string_view>().swap(lines);
  std::string().swap(text);
  loadedStamp_.clear();
  LoadBase();
  writtenBase_.reset();
  return outcome;
}

Program::ImportReport Program::ImportFiles(const std::vector<std::filesystem::path>& files) {
  ImportReport report;
  if (busy_) return report;
  StopAutoMode();
  BusyScope busy(busy_);
  const std::size_t total = files.size();
  if (total == 0) return report;
  if (!shell_.AskYesNo(
          u"Импортировать полученные файлы? (" + Decimal(static_cast<std::int64_t>(total)) + u")",
          MessageIcon::kWarning))
    return report;

  for (std::size_t k = 0; k < total; ++k) {
    ShowCentred(u"Импорт файла " + Decimal(static_cast<std::int64_t>(k + 1)) + u" / " +
                Decimal(static_cast<std::int64_t>(total)) + u"...");
    shell_.ProcessEvents();
    const std::filesystem::path& source = files[k];
    const std::filesystem::path target = ImportTargetPath(programFolder_, source);
    const auto skip = [&](std::string reason) {
      report.skipped.emplace_back(source, std::move(reason));
    };
    std::error_code ec;
    const auto status = std::filesystem::status(source, ec);
    if (ec || !std::filesystem::exists(status)) {
      skip("файл не найден");
      continue;
    }
    if (!std::filesystem::is_regular_file(status)) {
      skip("не обычный файл");
      continue;
    }
    if (std::filesystem::exists(target, ec)) {
      skip("база уже существует: " + platform::Utf8OfPath(target.filename()));
      continue;
    }
    // The read checks the type again: the file may have been swapped since.
    // The file's bytes follow the room the import works in.
    std::string bytes;
    std::string readError;
    if (!ReadRegularFile(source, kImportByteLimit, bytes, readError, kImportRoom)) {
      skip("ошибка чтения: " + readError);
      continue;
    }
    if (bytes.size() - kImportRoom == kImportByteLimit) DropCutUtf8Tail(bytes, kImportRoom);
    const std::string_view file = std::string_view(bytes).substr(kImportRoom);
    // The import works on Windows-1251 codes, which a Windows-1251 source is
    // already. Text holds no NUL: a program or a picture would only make a
    // junk base.
    std::string codes;
    std::size_t room = 0;
    bool binary;
    const bool utf8 =
        TextEncodingOf(file, false) == TextEncoding::kWindows1251 && LooksLikeUtf8(file);
    if (TextEncodingOf(file, utf8) == TextEncoding::kWindows1251) {
      binary = file.find('\0') != std::string_view::npos;
      codes = std::move(bytes);
      room = kImportRoom;
    } else {
      const std::u16string text = DecodeTextFile(file, utf8);
      binary = text.find(u'\0') != std::u16string::npos;
      codes = EncodeCp1251(text);
    }
    if (binary) {
      skip("двоичный файл, не текст");
      continue;
    }
    const std::string base =
        PrepareImportedCodes(random_, std::move(codes), room, [this] { shell_.ProcessEvents(); });
    std::string error;
    switch (WriteFileAtomicallyAsNew(target, base, error)) {
      case platform::Created::kDone:
        break;
      case platform::Created::kExists:  // made meanwhile by someone else
        skip("база уже существует: " + target.filename().string());
        continue;
      case platform::Created::kFailed:
        skip("ошибка записи: " + error);
        continue;
    }
    ++report.imported;
  }
  ShowCentred(u"Импорт файлов завершен");
  return report;
}

}  // namespace vm
