// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/output_box.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <QUrl>

#include "shell/qt_text.h"

namespace vm::shell {
namespace {

Qt::Alignment ToQt(Alignment alignment) {
  switch (alignment) {
    case Alignment::kRight:
      return Qt::AlignRight;
    case Alignment::kCentre:
      return Qt::AlignHCenter;
    case Alignment::kLeft:
      break;
  }
  return Qt::AlignLeft;
}

// Keys that move the caret or the selection; everything else that reaches
// the box is typing and is discarded.
bool IsNavigation(const QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return true;
    default:
      return false;
  }
}

bool HasLocalFiles(const QMimeData* data) {
  return data != nullptr && data->hasUrls() && !LocalFiles(data->urls()).empty();
}

}  // namespace

std::vector<std::filesystem::path> LocalFiles(const QList<QUrl>& urls) {
  std::vector<std::filesystem::path> files;
  for (const QUrl& url : urls) {
    // The path's bytes as the URL carries them: a file name from an old
    // archive may be Windows-1251, which no decoding would give back.
    if (url.isLocalFile())
      files.emplace_back(
          QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
  }
  return files;
}

OutputBox::OutputBox(QWidget* parent) : QTextEdit(parent) {
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setUndoRedoEnabled(false);
  setAcceptRichText(false);
  setTabChangesFocus(true);
  setContextMenuPolicy(Qt::NoContextMenu);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
}

void OutputBox::ShowText(std::u16string_view text, Alignment alignment) {
  QTextOption option = document()->defaultTextOption();
  option.setAlignment(ToQt(alignment));
  document()->setDefaultTextOption(option);
  text_.Set(std::u16string(text));
  setPlainText(ToQ(text_.Display()));
}

std::u16string OutputBox::SelectedText() const {
  const QTextCursor cursor = textCursor();
  if (!cursor.hasSelection()) return {};
  return text_.Slice(static_cast<std::size_t>(cursor.selectionStart()),
                     static_cast<std::size_t>(cursor.selectionEnd()));
}

void OutputBox::keyPressEvent(QKeyEvent* event) {
  if (event == QKeySequence::Copy) {
    const std::u16string selection = SelectedText();
    if (!selection.empty()) emit copyRequested(selection);
  } else if (event == QKeySequence::SelectAll) {
    selectAll();
  } else if (IsNavigation(event)) {
    QTextEdit::keyPressEvent(event);
    return;
  } else if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
    event->ignore();
    return;
  }
  event->accept();
}

void OutputBox::inputMethodEvent(QInputMethodEvent* event) {
  event->accept();
}

void OutputBox::dragEnterEvent(QDragEnterEvent* event) {
  if (HasLocalFiles(event->mimeData())) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void OutputBox::dragMoveEvent(QDragMoveEvent* event) {
  if (HasLocalFiles(event->mimeData())) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void OutputBox::dropEvent(QDropEvent* event) {
  if (!HasLocalFiles(event->mimeData())) {
    event->ignore();
    return;
  }
  event->setDropAction(Qt::CopyAction);
  event->accept();
  emit filesDropped(LocalFiles(event->mimeData()->urls()));
}

}  // namespace vm::shell
