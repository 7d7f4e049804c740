// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/key_repeat.h"

#include <QGuiApplication>

// Xlib comes last: its macros (None, KeyPress, Bool...) would break Qt headers.
#ifdef VM_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace vm::shell {

bool UseDetectableAutoRepeat() {
#ifdef VM_HAVE_X11
  const auto* x11 =
      qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->display() == nullptr) return false;
  Bool supported = False;
  return XkbSetDetectableAutoRepeat(x11->display(), True, &supported) != False &&
         supported != False;
#else
  return false;
#endif
}

}  // namespace vm::shell
