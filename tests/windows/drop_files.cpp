// SPDX-License-Identifier: GPL-3.0-or-later
// drop_files.exe FILE...: drops files on the running window as the shell
// does, for the Wine tests (no X drag source is at hand there): a
// WM_DROPFILES posted to the child that accepts files, with the DROPFILES
// block placed in the receiver's memory, where a drop handle lives.
// Exit status 1 when no child of the window accepts files.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which they need.
#include <shlobj.h>

#include <cstring>
#include <string>

namespace {

BOOL CALLBACK FindAcceptor(HWND child, LPARAM found) {
  if ((GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) == 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  HWND window = FindWindowW(L"VerbalomaticWin32", nullptr);
  HWND target = nullptr;
  if (window != nullptr) EnumChildWindows(window, FindAcceptor, reinterpret_cast<LPARAM>(&target));
  if (target == nullptr) return 1;
  std::wstring names;
  for (int i = 1; i < argc; ++i) names.append(argv[i]).push_back(L'\0');
  names.push_back(L'\0');
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = TRUE;
  std::string block(sizeof header + names.size() * sizeof(wchar_t), '\0');
  std::memcpy(block.data(), &header, sizeof header);
  std::memcpy(block.data() + sizeof header, names.data(), names.size() * sizeof(wchar_t));
  DWORD pid = 0;
  GetWindowThreadProcessId(target, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
  if (process == nullptr) return 2;
  void* remote =
      VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  const bool posted = remote != nullptr &&
                      WriteProcessMemory(process, remote, block.data(), block.size(), nullptr) &&
                      PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
  CloseHandle(process);
  return posted ? 0 : 2;
}
