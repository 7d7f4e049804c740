// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// UTF-16 strings of the logic to and from QString.
#include <QString>
#include <string>
#include <string_view>

namespace vm::shell {

inline QString ToQ(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string FromQ(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                        static_cast<std::size_t>(text.size()));
}

// A caption for a menu entry: '&' shown as itself, not as a mnemonic.
inline QString MenuText(std::u16string_view text) {
  return ToQ(text).replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace vm::shell
