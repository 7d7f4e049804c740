// SPDX-License-Identifier: GPL-3.0-or-later
// verbalomatic.exe: one instance per executable; a later start brings the
// running window to the front.
#include <algorithm>
#include <string>

#include "shell_win32/main_window.h"

namespace {

std::wstring ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD got = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (got < path.size()) {
      path.resize(got);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// One name per executable: the path, lowered (paths are case-insensitive),
// with the backslashes that object names may not hold replaced.
std::wstring MutexName(std::wstring exe) {
  CharLowerW(exe.data());
  std::replace(exe.begin(), exe.end(), L'\\', L'/');
  return L"Local\\Verbalomatic-" + exe;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command*/, int show) {
  const std::wstring exe = ExecutablePath();
  HANDLE mutex = CreateMutexW(nullptr, TRUE, MutexName(exe).c_str());
  const DWORD created = GetLastError();
  if (mutex != nullptr && created == ERROR_ALREADY_EXISTS) {
    for (int attempt = 0; attempt < 50; ++attempt) {
      if (HWND running = FindWindowW(vm::win32::kWindowClass, nullptr)) {
        AllowSetForegroundWindow(ASFW_ANY);
        PostMessageW(running, vm::win32::kShowMessage, 0, 0);
        SetForegroundWindow(running);
        break;
      }
      Sleep(100);
    }
    CloseHandle(mutex);
    return 0;
  }
  const std::filesystem::path folder = std::filesystem::path(exe).parent_path();
  if (!vm::win32::MainWindow::Register(instance)) return 1;
  vm::win32::MainWindow window(folder);
  if (!window.Create(instance)) return 1;
  window.Initialize(show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(msg)) continue;
    if (IsDialogMessageW(window.Handle(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (mutex != nullptr) CloseHandle(mutex);
  return static_cast<int>(msg.wParam);
}
