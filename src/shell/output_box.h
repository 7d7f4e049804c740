// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// txtMain: the read-only output box. Typed characters are discarded, Ctrl+C
// hands the selection (exactly as shown, line breaks included) to whoever
// copies, Ctrl+A selects everything, and dropped local files are announced.
#include <QTextEdit>
#include <filesystem>
#include <string>
#include <vector>

#include "app/output_text.h"
#include "app/shell.h"

namespace vm::shell {

class OutputBox : public QTextEdit {
  Q_OBJECT

 public:
  explicit OutputBox(QWidget* parent = nullptr);

  // ShowText: the alignment first, then the text.
  void ShowText(std::u16string_view text, Alignment alignment);
  const std::u16string& Text() const { return text_.Text(); }
  // The selected part of the text, empty without a selection.
  std::u16string SelectedText() const;

 signals:
  void copyRequested(const std::u16string& selection);
  void filesDropped(const std::vector<std::filesystem::path>& files);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  OutputText text_;
};

// The local files among dropped URLs, in the order given.
std::vector<std::filesystem::path> LocalFiles(const QList<QUrl>& urls);

}  // namespace vm::shell
