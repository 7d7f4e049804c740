// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window acts on key releases; KeyStrokes decides which releases end a
// key stroke of the window's own. A release counts only when the window saw
// the key go down: a press that a menu or a message box took (Return on a
// menu entry, say) leaves its release to nobody. A held key counts once:
// X11 repeats it as release/press pairs that share one timestamp, so a
// release stands only when no press of the same key with that timestamp
// follows. The caller therefore holds each release back until the next
// press shows what it was, or until Settle when no input follows it.
#include <cstdint>
#include <optional>
#include <vector>

namespace vm {

class KeyStrokes {
 public:
  // A key went down in the window (repeats included). Returns the key of
  // the release waiting before it when this press is not its repeat: that
  // release ended a stroke.
  std::optional<int> Press(int key, std::uint32_t time);
  // A key came up in the window. True when it may end a stroke and now
  // waits. A release still waiting is dropped: settle it first.
  bool Release(int key, std::uint32_t time);
  // The key of the waiting release, which ended a stroke, when no repeat
  // can follow it any more: other input came, or the events queued behind
  // it have all come in.
  std::optional<int> Settle();
  // The window lost the keyboard: keys down so far come up elsewhere.
  void Forget() { down_.clear(); }

 private:
  struct Up {
    int key;
    std::uint32_t time;
  };
  std::vector<int> down_;
  std::optional<Up> waiting_;
};

}  // namespace vm
