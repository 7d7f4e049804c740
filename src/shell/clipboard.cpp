// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "shell/qt_text.h"
#include "text/cp1251.h"

namespace vm::shell {

std::unique_ptr<QMimeData> ClipboardData(std::u16string_view text, bool unicode) {
  auto data = std::make_unique<QMimeData>();
  if (unicode) {
    data->setText(ToQ(text));
  } else {
    const std::string bytes = EncodeCp1251(text);
    data->setText(ToQ(DecodeCp1251(bytes)));
    data->setData(QString::fromLatin1(kWindows1251Mime),
                  QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  }
  return data;
}

void PutOnClipboard(std::u16string_view text, bool unicode) {
  if (text.empty()) return;
  QGuiApplication::clipboard()->setMimeData(ClipboardData(text, unicode).release());
}

}  // namespace vm::shell
