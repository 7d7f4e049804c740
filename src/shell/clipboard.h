// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CopyToClipboard on the desktop: Unicode text as it is, or 8-bit text in
// Windows-1251 (characters without a code become '?'), offered both as plain
// text and as "text/plain;charset=windows-1251" bytes.
#include <QMimeData>
#include <memory>
#include <string_view>

namespace vm::shell {

inline constexpr const char* kWindows1251Mime = "text/plain;charset=windows-1251";

std::unique_ptr<QMimeData> ClipboardData(std::u16string_view text, bool unicode);
// Replaces the clipboard content; an empty text leaves it as it is.
void PutOnClipboard(std::u16string_view text, bool unicode);

}  // namespace vm::shell
