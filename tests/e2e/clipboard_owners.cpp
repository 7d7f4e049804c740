// SPDX-License-Identifier: GPL-3.0-or-later
// clipboard_owners: prints a line for each new put on the X clipboard (owner
// changes of one selection time count once). Runs until killed.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main() {
  Display* display = XOpenDisplay(nullptr);
  int eventBase = 0;
  int errorBase = 0;
  if (display == nullptr || !XFixesQueryExtension(display, &eventBase, &errorBase)) return 1;
  XFixesSelectSelectionInput(display, DefaultRootWindow(display),
                             XInternAtom(display, "CLIPBOARD", False),
                             XFixesSetSelectionOwnerNotifyMask);
  Time last = 0;
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != eventBase + XFixesSelectionNotify) continue;
    const auto& notify = reinterpret_cast<const XFixesSelectionNotifyEvent&>(event);
    if (notify.owner == None || notify.selection_timestamp == last) continue;
    last = notify.selection_timestamp;
    std::printf("%lu\n", last);
    std::fflush(stdout);
  }
}
