// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program object: owns the phrase base, the generation flags, the random
// source, the recent-phrase cache, the busy flag, the auto-generation state
// and the settings record, and carries the user-facing commands. Every
// effect on the desktop goes through the Shell.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/settings_record.h"
#include "app/shell.h"
#include "base/catalogue.h"
#include "base/phrase_base.h"
#include "generation/options.h"
#include "generation/recent_cache.h"
#include "random/random_source.h"
#include "text/text_form.h"

namespace vm {

inline constexpr std::u16string_view kBuiltinStandardName = u"[VM: стандартный]";
inline constexpr std::u16string_view kBuiltinTrashName = u"[VM: треш]";

class Program {
 public:
  // programFolder: where bases, settings and the journal live.
  Program(Shell& shell, std::filesystem::path programFolder);

  // --- state ---
  Shell& GetShell() { return shell_; }
  const PhraseBase& Base() const { return base_; }
  // The process's one random source, shared with the desktop's timer.
  RandomSource& Random() { return random_; }
  const SettingsRecord& Settings() const { return settings_; }
  void SetSettings(SettingsRecord settings) { settings_ = std::move(settings); }
  const std::u16string& BaseName() const { return settings_.baseName; }
  // Chooses the base the next LoadBase reads (the record keeps the name).
  void SetBaseName(std::u16string name) { settings_.baseName = std::move(name); }
  bool Busy() const { return busy_; }
  int AutoGen() const { return autoGen_; }
  // ScrambleText of the caption as LoadBase last set it.
  const std::u16string& ScrambledCaption() const { return scrambledCaption_; }

  // --- options ---
  // Copies the shell's check boxes into the flags.
  void ReadOptions();

  // --- base ---
  void LoadBase();
  // The file a base name refers to (see ResolveBaseFile); empty for a name
  // that is not a plain file name of the program folder.
  std::filesystem::path BaseFilePath(std::u16string_view name) const;
  // Why the last load left an empty base where there should be one (a base
  // too big for memory); empty otherwise.
  const std::u16string& LoadFailure() const { return loadFailure_; }
  // The first finished load shows its report, never the about text.
  void SkipAboutOnFirstLoad() { firstLoadDone_ = true; }
  // The next load of a base file takes these bytes instead of reading the
  // file: the command line reads pipes and standard input itself.
  void SupplyBaseBytes(std::string bytes) { suppliedBase_ = std::move(bytes); }

  // --- generation ---
  // What a generation run did.
  enum class GenerateOutcome {
    kBusy,       // a tool runs: nothing happened
    kNothing,    // an empty seed text: nothing happened
    kText,       // a text was shown (and copied where the options say)
    kEmptyBase,  // "Я ОБКАКАЛСЯ. ПОЧЕМУ?" was shown
    kNoPhrases,  // "Не взлетело. Слишком мало строк?" was shown
  };
  GenerateOutcome SHIT(std::int32_t count, std::int32_t useed);
  // Starts the recent-phrase cache afresh, as a load does.
  void ResetCache() { cache_.Reset(base_.UBound()); }
  // What the last run of SHIT composed with: the flags after its mood roll
  // (and a seeded run's overrides) and the phrase count it asked for.
  struct RunFacts {
    GenerationFlags flags;
    std::int32_t count = 0;
  };
  const RunFacts& LastRun() const { return lastRun_; }
  // One text of count phrases put on the clipboard whatever "CP" says, as the
  // tray menu's generate entry does, also beside auto mode: what a later
  // start asks for. False when no text was made (a tool runs, no base).
  bool GenerateToClipboard(std::int32_t count);
  // Button 1 generates (or moves auto mode), 2 toggles auto mode; others nothing.
  void PressGenButton(int index, int button);
  // Switches auto mode off when it is on.
  void StopAutoMode();
  // Puts a text on the clipboard in the encoding the options choose.
  void CopyToClipboard(std::u16string_view text);

  // --- console commands ---
  // False when nothing was shown (busy, or an empty text).
  bool FindRhymes(std::u16string_view text, bool lineMode);
  GenerateOutcome GenerateFromSeed(std::u16string_view text);

  // --- about ---
  void ShowAbout();

  // --- main menu ---
  // Scans the program folder and returns what the main menu shows; the
  // catalogue stays until an entry is chosen or the next scan.
  MainMenuState PrepareMainMenu(std::u16string_view currentOpenCaption);
  void ChooseCatalogueEntry(int index);  // mnuFile_Click, 1-based
  void ChooseBuiltin(int index);         // mnuFileEn_Click: 1 standard, 2 trash
  void OpenCurrentBase();                // mnuOpen_Click
  void Reload();                         // mnuReload_Click
  void ShowImportHint();                 // mnuImport_Click
  void OpenJournal();                    // mnuOut_Click

  // --- base tools ---
  enum class FormatOutcome {
    kBusy,
    kBaseBusy,  // another formatter has this base
    kEmptyBase,
    kUnchanged,
    kDeclined,
    kWritten,
    kWriteFailed
  };
  FormatOutcome FormatBase();
  struct ImportReport {
    std::int32_t imported = 0;
    std::vector<std::pair<std::filesystem::path, std::string>> skipped;  // file, reason
  };
  ImportReport ImportFiles(const std::vector<std::filesystem::path>& files);
  // False (with the error shown) when the record could not be written.
  bool SaveToJournal();
  std::filesystem::path JournalPath() const;

 private:
  void ShowCentred(std::u16string_view text);
  // SHIT, copying the text also when neither "CP" nor the tray asks for it.
  GenerateOutcome Generate(std::int32_t count, std::int32_t useed, bool alwaysCopy);
  // reason: why the base is empty, when it should not be (shown after DONE).
  void ShowLoadReport(double size, const IndexTimings& timings, std::u16string_view reason);
  bool ReadBaseBytes(const std::filesystem::path& path, std::string& bytes, double& size);
  // note: what the report should add besides success (where the old content went).
  bool ReplaceBaseFile(const std::filesystem::path& path, const std::string& bytes,
                       std::u16string& note, std::u16string& error);

  Shell& shell_;
  std::filesystem::path programFolder_;
  RandomSource random_;
  GenerationFlags flags_;
  PhraseBase base_;
  RecentCache cache_;
  SettingsRecord settings_;
  BaseSource baseKind_ = BaseSource::kFile;
  bool busy_ = false;
  int autoGen_ = 0;
  std::u16string lastLoadedName_;
  std::u16string loadedStamp_;
  bool firstLoadDone_ = false;
  std::u16string scrambledCaption_;
  std::u16string loadFailure_;
  std::u16string aboutPhrase_;
  Catalogue catalogue_;
  std::optional<std::string> suppliedBase_;
  // What the formatter has just written to the base file, for the reload.
  std::optional<std::string> writtenBase_;
  TextFileForm baseForm_;  // of the base file last read: the formatter writes that form
  RunFacts lastRun_;
};

}  // namespace vm
