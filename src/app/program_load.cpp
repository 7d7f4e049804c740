// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a base into memory, with its progress text, caption and report.
#include <cerrno>
#include <iomanip>
#include <limits>
#include <locale>
#include <new>
#include <sstream>
#include <system_error>

#include "app/program.h"
#include "base/builtin_bases.h"
#include "base/catalogue.h"
#include "base/file_time.h"
#include "base/scramble.h"
#include "platform/platform.h"
#include "text/cp1251.h"
#include "text/letter_case.h"
#include "text/strings.h"
#include "tools/atomic_file.h"

namespace vm {
namespace {

// The window title; "?" becomes the line count.
constexpr std::u16string_view kCaptionTemplate = u"Verbalomatic — ? фраз";

// size / 1024 with two decimals, grouped as the user's locale groups numbers.
std::u16string KibibytesText(double size) {
  std::ostringstream out;
  try {
    out.imbue(std::locale(""));
  } catch (const std::exception&) {
    out.imbue(std::locale::classic());
  }
  out << std::fixed << std::setprecision(2) << size / 1024.0;
  return DecodeTextFile(out.str());
}

}  // namespace

std::filesystem::path Program::BaseFilePath(std::u16string_view name) const {
  return ResolveBaseFile(programFolder_, name);
}

bool Program::ReadBaseBytes(const std::filesystem::path& path, std::string& bytes, double& size) {
  // Regular files only: a folder or FIFO that took the file's place must
  // neither block the load nor pass for a huge file.
  std::string error;
  if (suppliedBase_) {
    bytes = std::move(*suppliedBase_);
    suppliedBase_.reset();
  } else if (writtenBase_) {
    bytes = std::move(*writtenBase_);
    writtenBase_.reset();
  } else if (!ReadRegularFile(path, std::numeric_limits<std::size_t>::max(), bytes, error)) {
    return false;
  }
  size = static_cast<double>(bytes.size());
  return true;
}

void Program::LoadBase() {
  StopAutoMode();
  std::u16string& name = settings_.baseName;
  if (name.empty()) name = kBuiltinTrashName;
  baseKind_ = EqualsIgnoringCase(name, kBuiltinStandardName) ? BaseSource::kStandard
              : EqualsIgnoringCase(name, kBuiltinTrashName)  ? BaseSource::kTrash
                                                             : BaseSource::kFile;
  std::u16string progress;
  if (!busy_) {
    for (int i = 0; i < 5; ++i) progress += kCrLf;
    progress += u"Загрузка...\r\n\r\n";
    progress += name;
  }

  // A built-in base comes as text, a file as its bytes.
  std::u16string text;
  std::string bytes;
  bool fileRead = false;
  double size = 0;
  // A base too big for memory loads as an empty base, and the report says why.
  bool outOfMemory = false;
  if (baseKind_ != BaseSource::kFile) {
    if (name == lastLoadedName_) return;
    lastLoadedName_ = name;
    loadedStamp_.clear();
    base_ = PhraseBase{};
    if (!progress.empty()) ShowCentred(progress);
    text = BuiltinBaseText(baseKind_, [this] { shell_.ProcessEvents(); });
    size = static_cast<double>(text.size());
  } else {
    const std::filesystem::path path = BaseFilePath(name);
    std::error_code ec;
    bool read = false;
    if (suppliedBase_ || (!path.empty() && std::filesystem::exists(path, ec))) {
      const std::u16string stamp = suppliedBase_ ? std::u16string() : FileTimeText(path);
      if (stamp == loadedStamp_ && name == lastLoadedName_) return;
      base_ = PhraseBase{};
      if (!progress.empty()) ShowCentred(progress);
      try {
        read = ReadBaseBytes(path, bytes, size);
      } catch (const std::bad_alloc&) {
        outOfMemory = true;
      }
      fileRead = read;
      if (read) {
        lastLoadedName_ = name;
        loadedStamp_ = stamp;
      }
    }
    // A missing or unreadable file leaves nothing to compare against: the
    // next choice of any base, this one included, reads it afresh.
    if (!read) {
      lastLoadedName_.clear();
      loadedStamp_.clear();
    }
  }

  shell_.SetCaption(kCaptionTemplate);
  IndexTimings timings;
  try {
    const auto tick = [this] { return std::int64_t{shell_.TickCount()}; };
    if (baseKind_ == BaseSource::kFile) {
      const bool utf8 = LooksLikeUtf8(bytes);
      if (fileRead) baseForm_ = TextFileFormOf(bytes, utf8);
      base_ = IndexBaseBytes(std::move(bytes), utf8, tick, timings);
    } else {
      base_ = IndexBaseText(std::move(text), tick, timings);
    }
  } catch (const std::bad_alloc&) {
    outOfMemory = true;
    base_ = PhraseBase{};
    lastLoadedName_.clear();
    loadedStamp_.clear();
  }
  cache_.Reset(base_.UBound());
  std::u16string caption = shell_.Caption();
  if (const auto q = caption.find(u'?'); q != std::u16string::npos)
    caption.replace(q, 1, Decimal(base_.UBound() + 1));
  scrambledCaption_ = ScrambleText(caption);
  shell_.SetCaption(ScrambleText(scrambledCaption_));

  loadFailure_ = outOfMemory ? DecodeTextFile(platform::ErrorText(ENOMEM)) : std::u16string();
  if (busy_) return;
  StopAutoMode();
  const std::u16string& reason = loadFailure_;
  if (firstLoadDone_) {
    ShowLoadReport(size, timings, reason);
    return;
  }
  firstLoadDone_ = true;
  if (Chance(random_, 0.2F) && reason.empty())
    ShowAbout();
  else
    ShowLoadReport(size, timings, reason);
}

void Program::ShowLoadReport(double size, const IndexTimings& timings, std::u16string_view reason) {
  std::u16string r = u"\r\nФайл:\r\n";
  r += settings_.baseName;
  r += u"\r\n\r\n";
  r += Decimal(base_.UBound() + 1);
  r += kCrLf;
  r += KibibytesText(size);
  r += u" кб\r\n\r\nI1: ";
  r += Decimal(timings.I1);
  r += u"\r\nI2: ";
  r += Decimal(timings.I2);
  r += u"\r\nI3: ";
  r += Decimal(timings.I3);
  r += u"\r\n\r\nDONE";
  if (!reason.empty()) r += u"\r\n! " + std::u16string(reason);
  ShowCentred(r);
}

}  // namespace vm
