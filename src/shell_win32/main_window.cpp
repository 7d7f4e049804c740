// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell_win32/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "app/aux_timer.h"
#include "app/form_layout.h"
#include "app/gen_keys.h"
#include "app/life_grid.h"
#include "app/program.h"
#include "app/settings_record.h"
#include "app/tray_menu.h"
#include "random/random_source.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace vm::win32 {

struct RectPx {
  int left, top, width, height;
};

namespace {

constexpr int kIdGen = 100, kIdCmd = 200, kIdOpt = 300, kIdTxtCmd = 400, kIdInLine = 401,
              kIdOutLine = 402, kIdTxtMain = 403;
constexpr UINT_PTR kAuxTimerId = 1;
constexpr UINT kTrayId = 1;
// Tray menu commands: restore, exit, nothing, then the nine counts.
// Main menu commands; the catalogue's entries from kMainFile on.
constexpr UINT kMainOpen = 101, kMainReload = 102, kMainClean = 103, kMainStandard = 104,
               kMainTrash = 105, kMainImport = 106, kMainSave = 107, kMainOut = 108,
               kMainAbout = 109, kMainFile = 120;
constexpr UINT kMenuShow = 1, kMenuExit = 2, kMenuNothing = 3, kMenuAuto = 4, kMenuGen = 10;

std::wstring W(std::u16string_view text) {
  return {text.begin(), text.end()};
}

std::u16string U(const wchar_t* text, std::size_t size) {
  return {text, text + size};
}

// A menu caption shows '&' as it is.
std::wstring MenuText(std::u16string_view text) {
  std::wstring out;
  for (char16_t c : text) {
    if (c == u'&') out += L'&';
    out += static_cast<wchar_t>(c);
  }
  return out;
}

std::u16string WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
  return U(text.data(), static_cast<std::size_t>(std::max(got, 0)));
}

// The edit control wants CR LF line ends; the program's texts already have them.
bool PutOnClipboard(HWND owner, const void* data, std::size_t bytes, UINT format) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return false;
  void* target = GlobalLock(memory);
  if (target == nullptr) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(target, data, bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(owner)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool taken = SetClipboardData(format, memory) != nullptr;
  if (!taken) GlobalFree(memory);
  CloseClipboard();
  return taken;
}

}  // namespace

MainWindow::MainWindow(std::filesystem::path folder) : folder_(std::move(folder)) {
  cells_.assign(static_cast<std::size_t>(LifeGrid::kColumns * LifeGrid::kRows), false);
}

MainWindow::~MainWindow() {
  if (font_ != nullptr) DeleteObject(font_);
  if (markFont_ != nullptr) DeleteObject(markFont_);
}

bool MainWindow::Register(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &MainWindow::WndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  return RegisterClassExW(&wc) != 0;
}

bool MainWindow::Create(HINSTANCE instance) {
  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, Scale(shell::kClientArea.width), Scale(shell::kClientArea.height)};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  program_ = std::make_unique<Program>(*this, folder_);
  aux_ = std::make_unique<AuxTimer>(*program_);
  hwnd_ = CreateWindowExW(0, kWindowClass, W(shell::kWindowTitle).c_str(), style, CW_USEDEFAULT,
                          CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                          nullptr, nullptr, instance, this);
  return hwnd_ != nullptr;
}

LRESULT CALLBACK MainWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
    auto* self = static_cast<MainWindow*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self != nullptr ? self->Handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT MainWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_TIMER:
      if (wp == kAuxTimerId) OnTimer();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_CTLCOLORSTATIC:
      // The read-only output box keeps the white of an edit box.
      if (reinterpret_cast<HWND>(lp) == txtMain_)
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      break;
    case kShowMessage:
      OnShowRequest();
      return 0;
    case WM_ENTERMENULOOP:
      // Keys that go down now come up in the menu or elsewhere.
      keysDown_.clear();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) keysDown_.clear();
      break;
    case kTrayMessage:
      OnTray(LOWORD(lp));
      return 0;
    case WM_RBUTTONUP: {
      const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      const RECT picture = PictureRect();
      if (PtInRect(&picture, at) && !program_->Busy()) ShowMainMenu();
      return 0;
    }
    case WM_LBUTTONDBLCLK: {
      const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      const RECT picture = PictureRect();
      if (PtInRect(&picture, at)) SendToTray();
      return 0;
    }
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      // Explorer restarted: the icon has to be added again.
      if (msg == taskbarCreated_ && taskbarCreated_ != 0 && inTray_) AddTrayIcon();
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

int MainWindow::Scale(int twips) const {
  return MulDiv(shell::Px(twips), dpi_, 96);
}

HWND MainWindow::AddControl(const wchar_t* cls, std::u16string_view text, DWORD style, int id,
                            const RectPx& place) {
  HWND control = CreateWindowExW(
      cls == std::wstring_view(L"EDIT") ? WS_EX_CLIENTEDGE : 0, cls, W(text).c_str(),
      WS_CHILD | WS_VISIBLE | style, place.left, place.top, place.width, place.height, hwnd_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

void MainWindow::AddTooltip(HWND control, std::u16string_view text) {
  if (tooltips_ == nullptr || text.empty()) return;
  std::wstring tip = W(text);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = tip.data();
  SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::OnCreate() {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(975, dpi_, 7200);  // 9.75 pt
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = RUSSIAN_CHARSET;
  wcscpy_s(lf.lfFaceName, LF_FACESIZE, L"Tahoma");
  font_ = CreateFontIndirectW(&lf);
  lf.lfWeight = FW_BOLD;
  lf.lfItalic = TRUE;
  markFont_ = CreateFontIndirectW(&lf);
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&classes);
  tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tooltips_, TTM_SETMAXTIPWIDTH, 0, Scale(6000));
  for (const shell::ControlSpec& spec : shell::Controls()) {
    const RectPx place{Scale(spec.place.left), Scale(spec.place.top), Scale(spec.place.width),
                       Scale(spec.place.height)};
    const std::string_view name = spec.name;
    if (name == "txtMain") {
      txtMain_ = AddControl(L"EDIT", u"",
                            ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                            kIdTxtMain, place);
      DragAcceptFiles(txtMain_, TRUE);
    } else if (name == "cmdS") {
      const int pos = spec.caption.empty() ? 0 : spec.caption[0] - u'1';
      if (pos < 0 || pos >= 9) continue;
      HWND button =
          AddControl(L"BUTTON", spec.caption, BS_PUSHBUTTON | WS_TABSTOP, kIdGen + pos, place);
      AddTooltip(button, spec.tooltip);
      cmdS_[static_cast<std::size_t>(pos)] = button;
    } else if (name == "cmdC" && spec.index >= 0 && spec.index < 3) {
      HWND button = AddControl(L"BUTTON", spec.caption, BS_PUSHBUTTON | WS_TABSTOP,
                               kIdCmd + spec.index, place);
      EnableWindow(button, FALSE);
      AddTooltip(button, spec.tooltip);
      cmdC_[static_cast<std::size_t>(spec.index)] = button;
    } else if (name == "txtCmd") {
      txtCmd_ = AddControl(L"EDIT", u"", ES_AUTOHSCROLL | WS_TABSTOP, kIdTxtCmd, place);
      AddTooltip(txtCmd_, spec.tooltip);
    } else if (name == "txtInLine") {
      txtInLine_ = AddControl(L"EDIT", u"", ES_AUTOHSCROLL | WS_TABSTOP, kIdInLine, place);
      AddTooltip(txtInLine_, spec.tooltip);
    } else if (name == "txtOutLine") {
      txtOutLine_ = AddControl(L"EDIT", u"", ES_AUTOHSCROLL | WS_TABSTOP, kIdOutLine, place);
      AddTooltip(txtOutLine_, spec.tooltip);
    }
  }
  values_ = DesignOptionBoxes();
  for (const shell::OptionSpec& spec : shell::Options()) {
    const RectPx place{Scale(spec.place.left), Scale(spec.place.top), Scale(spec.place.width),
                       Scale(spec.place.height)};
    HWND box =
        AddControl(L"BUTTON", spec.caption, BS_3STATE | WS_TABSTOP, kIdOpt + spec.index, place);
    opt_[static_cast<std::size_t>(spec.index)] = box;
    AddTooltip(box, spec.tooltip);
    SendMessageW(box, BM_SETCHECK,
                 static_cast<WPARAM>(values_[static_cast<std::size_t>(spec.index)]), 0);
  }
}

void MainWindow::Initialize(int showCommand) {
  SetTimer(hwnd_, kAuxTimerId, AuxTimer::kIntervalMs, nullptr);
  program_->Random().SeedFromClock();
  SettingsRecord settings = program_->Settings();
  if (ReadSettingsFile(folder_ / kSettingsFileName, settings)) {
    program_->SetSettings(settings);
    ApplySettings(settings, *this);
  }
  program_->ReadOptions();
  aux_->TmrAUX_Timer();
  if (!inTray_) {
    ShowWindow(hwnd_, showCommand == SW_HIDE ? SW_SHOWNORMAL : showCommand);
    UpdateWindow(hwnd_);
  }
  SetWindowTextW(opt_[kOptSpeechDefects],
                 W(u"IQ" + Decimal(RandomUpTo(program_->Random(), 3))).c_str());
  program_->LoadBase();
}

std::u16string MainWindow::FocusName() const {
  HWND focus = GetFocus();
  if (focus == txtCmd_) return u"txtCmd";
  if (focus == txtInLine_) return u"txtInLine";
  if (focus == txtOutLine_) return u"txtOutLine";
  if (focus == txtMain_) return u"txtMain";
  return std::find(cmdS_.begin(), cmdS_.end(), focus) != cmdS_.end() ? u"cmdS" : u"";
}

bool MainWindow::PreTranslate(MSG& msg) {
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  if (msg.message == WM_KEYDOWN) {
    if (msg.hwnd == txtMain_ && ctrl && (msg.wParam == 'A' || msg.wParam == 'C')) {
      if (msg.wParam == 'A') {
        SendMessageW(txtMain_, EM_SETSEL, 0, -1);
      } else {
        DWORD from = 0, to = 0;
        SendMessageW(txtMain_, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        const std::u16string text = ShownText();
        if (to > from && to <= text.size()) program_->CopyToClipboard(text.substr(from, to - from));
      }
      return true;
    }
    const bool repeat = (msg.lParam & (1L << 30)) != 0;
    if (!repeat) keysDown_.push_back(msg.wParam);
    // Enter acts on its release; the edit control would only beep.
    return msg.wParam == VK_RETURN && msg.hwnd == txtCmd_;
  }
  if (msg.message == WM_KEYUP) {
    const auto seen = std::find(keysDown_.begin(), keysDown_.end(), msg.wParam);
    if (seen == keysDown_.end()) return false;
    keysDown_.erase(seen);
    OnKeyUp(msg.hwnd, static_cast<int>(msg.wParam));
    return false;
  }
  if (msg.message == WM_RBUTTONUP) {
    const auto it = std::find(cmdS_.begin(), cmdS_.end(), msg.hwnd);
    if (it != cmdS_.end()) {
      const int count = kGenButtonCounts[static_cast<std::size_t>(it - cmdS_.begin())];
      program_->PressGenButton(count, 2);
      return true;
    }
  }
  // The shell posts a drop to the control that accepts files, the output
  // box, whose own procedure would ignore it.
  if (msg.message == WM_DROPFILES && msg.hwnd == txtMain_) {
    OnDropFiles(reinterpret_cast<HDROP>(msg.wParam));
    return true;
  }
  if (msg.message == WM_KILLFOCUS && msg.hwnd == hwnd_) keysDown_.clear();
  return false;
}

void MainWindow::OnKeyUp(HWND target, int key) {
  if (key == VK_RETURN) {
    if (target == txtCmd_) console_.EnterPressed(*program_, WindowText(txtCmd_));
    return;
  }
  if (key < '1' || key > '9') return;
  int shift = 0;
  if (GetKeyState(VK_SHIFT) & 0x8000) shift |= kShiftMask;
  if (GetKeyState(VK_CONTROL) & 0x8000) shift |= kCtrlMask;
  if (GetKeyState(VK_MENU) & 0x8000) shift |= kAltMask;
  const bool onGenButton = std::find(cmdS_.begin(), cmdS_.end(), target) != cmdS_.end();
  const int count = onGenButton ? cmdS_KeyUp(*program_, key, shift)
                                : (shift == 0 ? Form_KeyUp(*program_, FocusName(), key) : 0);
  for (std::size_t i = 0; i < kGenButtonCounts.size(); ++i)
    if (kGenButtonCounts[i] == count) SetFocus(cmdS_[i]);
}

void MainWindow::OnCommand(int id, int code) {
  if (id >= kIdGen && id < kIdGen + 9 && code == BN_CLICKED) {
    // A click, not a key: keys act through their releases.
    if ((GetKeyState(VK_LBUTTON) & 0x8000) == 0 && GetKeyState(VK_SPACE) & 0x8000) return;
    program_->PressGenButton(kGenButtonCounts[static_cast<std::size_t>(id - kIdGen)], 1);
  } else if (id >= kIdCmd && id < kIdCmd + 3 && code == BN_CLICKED) {
    console_.cmdC_Click(*program_, id - kIdCmd, WindowText(txtCmd_));
  } else if (id >= kIdOpt && id < kIdOpt + kOptionCount && code == BN_CLICKED) {
    const int index = id - kIdOpt;
    SetOptionValue(index, OptionValue(index) == 1 ? 0 : 1);
  } else if ((id == kIdInLine || id == kIdOutLine) &&
             (code == EN_SETFOCUS || code == EN_KILLFOCUS)) {
    LineFocusChanged(id == kIdInLine ? txtInLine_ : txtOutLine_, code == EN_SETFOCUS);
  } else if (id == kIdTxtCmd && code == EN_CHANGE) {
    const bool enabled = ConsoleLine::ButtonsEnabled(WindowText(txtCmd_));
    for (HWND button : cmdC_) EnableWindow(button, enabled);
  }
}

void MainWindow::LineFocusChanged(HWND line, bool gotFocus) {
  const auto& covered = line == txtInLine_ ? shell::kRow1Options : shell::kRow2Options;
  RECT place;
  GetWindowRect(line, &place);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&place), 2);
  RECT output;
  GetWindowRect(txtMain_, &output);
  const int width = gotFocus ? output.right - output.left : Scale(shell::kLineNarrowWidth);
  SetWindowPos(line, HWND_TOP, 0, 0, width, place.bottom - place.top, SWP_NOMOVE);
  for (int index : covered)
    ShowWindow(opt_[static_cast<std::size_t>(index)], gotFocus ? SW_HIDE : SW_SHOW);
}

void MainWindow::OnTimer() {
  aux_->TmrAUX_Timer();
}

RECT MainWindow::PictureRect() const {
  const shell::ControlSpec& spec = shell::Control("imgRandom");
  const int left = Scale(spec.place.left), top = Scale(spec.place.top);
  return {left, top, left + Scale(spec.place.width), top + Scale(spec.place.height)};
}

void MainWindow::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  const RECT picture = PictureRect();
  const int width = picture.right - picture.left, height = picture.bottom - picture.top;
  FillRect(dc, &picture, GetSysColorBrush(COLOR_WINDOW));
  HBRUSH live = GetSysColorBrush(COLOR_WINDOWTEXT);
  for (int y = 0; y < LifeGrid::kRows; ++y) {
    for (int x = 0; x < LifeGrid::kColumns; ++x) {
      if (!cells_[static_cast<std::size_t>(x + LifeGrid::kColumns * y)]) continue;
      const RECT cell{picture.left + x * width / LifeGrid::kColumns,
                      picture.top + y * height / LifeGrid::kRows,
                      picture.left + (x + 1) * width / LifeGrid::kColumns,
                      picture.top + (y + 1) * height / LifeGrid::kRows};
      FillRect(dc, &cell, live);
    }
  }
  EndPaint(hwnd_, &ps);
}

void MainWindow::OnDropFiles(HDROP drop) {
  std::vector<std::filesystem::path> files;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    const UINT got = DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size()));
    name.resize(got);
    files.emplace_back(name);
  }
  DragFinish(drop);
  if (!files.empty()) program_->ImportFiles(files);
}

void MainWindow::OnShowRequest() {
  RestoreFromTray();
}

bool MainWindow::AddTrayIcon() {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = hwnd_;
  data.uID = kTrayId;
  data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data.uCallbackMessage = kTrayMessage;
  data.hIcon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1),
                                             IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  const std::wstring tip = W(TrayTooltip(program_->AutoGen())).substr(0, 127);
  wcsncpy(data.szTip, tip.c_str(), 127);
  return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void MainWindow::RemoveTrayIcon() {
  if (!inTray_) return;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = hwnd_;
  data.uID = kTrayId;
  Shell_NotifyIconW(NIM_DELETE, &data);
  inTray_ = false;
}

void MainWindow::RestoreFromTray() {
  RemoveTrayIcon();
  ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void MainWindow::OnTray(UINT event) {
  if (event == WM_LBUTTONUP) RestoreFromTray();
  if (event == WM_RBUTTONUP || event == WM_CONTEXTMENU) ShowTrayMenu();
}

void MainWindow::ShowMainMenu() {
  HCURSOR cursor = SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT
  const MainMenuState state = program_->PrepareMainMenu(openCaption_);
  SetCursor(cursor);
  openCaption_ = state.openCaption;
  const UINT files = state.fileCommandsEnabled ? MF_ENABLED : MF_GRAYED;
  HMENU bases = CreatePopupMenu();
  AppendMenuW(bases, MF_STRING | (state.builtinChecked[0] ? MF_CHECKED : 0U), kMainStandard,
              MenuText(kBuiltinStandardName).c_str());
  AppendMenuW(bases, MF_STRING | (state.builtinChecked[1] ? MF_CHECKED : 0U), kMainTrash,
              MenuText(kBuiltinTrashName).c_str());
  AppendMenuW(bases, MF_SEPARATOR, 0, nullptr);
  for (int i = 0; i < kMenuFileEntries; ++i) {
    const MainMenuState::Entry& entry = state.files[i];
    if (!entry.visible) continue;
    AppendMenuW(
        bases,
        MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED) | (entry.checked ? MF_CHECKED : 0U),
        kMainFile + static_cast<UINT>(i), MenuText(entry.caption).c_str());
  }
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING | files, kMainOpen, MenuText(openCaption_).c_str());
  AppendMenuW(menu, MF_STRING | files, kMainReload, L"Перезагрузить");
  AppendMenuW(menu, MF_STRING | files, kMainClean, L"Форматировать файл");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(bases), L"Сменить базу");
  AppendMenuW(menu, MF_STRING, kMainImport, L"Создать базу");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kMainSave, L"Сохранить в \"+out.txt\"");
  AppendMenuW(menu, MF_STRING, kMainOut, L"Открыть \"+out.txt\"");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kMainAbout, L"О программе");
  POINT at;
  GetCursorPos(&at);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr));
  DestroyMenu(menu);
  switch (chosen) {
    case kMainOpen:
      program_->OpenCurrentBase();
      break;
    case kMainReload:
      program_->Reload();
      break;
    case kMainClean:
      program_->FormatBase();
      break;
    case kMainStandard:
    case kMainTrash:
      program_->ChooseBuiltin(static_cast<int>(chosen - kMainStandard) + 1);
      break;
    case kMainImport:
      program_->ShowImportHint();
      break;
    case kMainSave:
      program_->SaveToJournal();
      break;
    case kMainOut:
      program_->OpenJournal();
      break;
    case kMainAbout:
      program_->ShowAbout();
      break;
    default:
      if (chosen >= kMainFile && chosen < kMainFile + kMenuFileEntries)
        program_->ChooseCatalogueEntry(static_cast<int>(chosen - kMainFile) + 1);
      break;
  }
}

void MainWindow::ShowTrayMenu() {
  const TrayMenuState state = BuildTrayMenuState(program_->AutoGen());
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, kMenuShow, L"Развернуть");
  SetMenuDefaultItem(menu, kMenuShow, FALSE);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  if (state.autoVisible) AppendMenuW(menu, MF_STRING, kMenuAuto, L"[ Авто ]");
  if (state.genVisible) {
    HMENU gen = CreatePopupMenu();
    for (std::size_t k = 0; k < state.gen.size(); ++k)
      AppendMenuW(gen, MF_STRING, kMenuGen + k, W(state.gen[k].caption).c_str());
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(gen), L"Сгенерировать");
  }
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kMenuExit, L"Выход");
  AppendMenuW(menu, MF_STRING, kMenuNothing, L"Ничего...");
  POINT at;
  GetCursorPos(&at);
  // Without the foreground the menu would not close on a click elsewhere.
  SetForegroundWindow(hwnd_);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr));
  PostMessageW(hwnd_, WM_NULL, 0, 0);
  DestroyMenu(menu);
  if (chosen == kMenuShow) RestoreFromTray();
  if (chosen == kMenuExit) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  if (chosen >= kMenuGen && chosen < kMenuGen + state.gen.size())
    program_->PressGenButton(TrayTagCount(state.gen[chosen - kMenuGen].tag), 1);
}

void MainWindow::FillSettings() {
  SettingsRecord settings = program_->Settings();
  StoreSettings(settings, values_, IsWindowVisible(), PrologueText(), EpilogueText(),
                WindowText(txtCmd_));
  program_->SetSettings(std::move(settings));
}

void MainWindow::OnClose() {
  if (unloaded_) return;
  unloaded_ = true;
  KillTimer(hwnd_, kAuxTimerId);
  FillSettings();
  RemoveTrayIcon();
  ShowWindow(hwnd_, SW_HIDE);
  WriteSettingsFile(folder_ / kSettingsFileName, program_->Settings());
  DestroyWindow(hwnd_);
}

// Shell

void MainWindow::ShowText(std::u16string_view text, Alignment alignment) {
  LONG_PTR style =
      GetWindowLongPtrW(txtMain_, GWL_STYLE) & ~static_cast<LONG_PTR>(ES_RIGHT | ES_CENTER);
  if (alignment == Alignment::kRight) style |= ES_RIGHT;
  if (alignment == Alignment::kCentre) style |= ES_CENTER;
  SetWindowLongPtrW(txtMain_, GWL_STYLE, style);
  SetWindowTextW(txtMain_, W(text).c_str());
}

std::u16string MainWindow::ShownText() const {
  return WindowText(txtMain_);
}

void MainWindow::CopyToClipboard(std::u16string_view text, bool unicode) {
  if (unicode) {
    const std::wstring wide = W(text);
    PutOnClipboard(hwnd_, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t), CF_UNICODETEXT);
  } else {
    const std::string bytes = EncodeCp1251(text);
    PutOnClipboard(hwnd_, bytes.c_str(), bytes.size() + 1, CF_TEXT);
  }
}

void MainWindow::SetCaption(std::u16string_view caption) {
  SetWindowTextW(hwnd_, W(caption).c_str());
}

std::u16string MainWindow::Caption() const {
  return WindowText(hwnd_);
}

bool MainWindow::AskYesNo(std::u16string_view question, MessageIcon icon) {
  const UINT type =
      MB_YESNO | (icon == MessageIcon::kWarning ? MB_ICONWARNING : MB_ICONINFORMATION);
  return MessageBoxW(IsWindowVisible() ? hwnd_ : nullptr, W(question).c_str(),
                     W(kApplicationTitle).c_str(), type) == IDYES;
}

void MainWindow::Inform(std::u16string_view text) {
  MessageBoxW(IsWindowVisible() ? hwnd_ : nullptr, W(text).c_str(), W(kApplicationTitle).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

void MainWindow::ProcessEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool MainWindow::IsWindowVisible() const {
  return hwnd_ != nullptr && ::IsWindowVisible(hwnd_) != FALSE;
}

std::u16string MainWindow::PrologueText() const {
  return WindowText(txtInLine_);
}

std::u16string MainWindow::EpilogueText() const {
  return WindowText(txtOutLine_);
}

int MainWindow::OptionValue(int index) const {
  return index >= 0 && index < kOptionCount ? values_[static_cast<std::size_t>(index)] : 0;
}

void MainWindow::MarkGenButton(int count, bool marked) {
  for (std::size_t i = 0; i < kGenButtonCounts.size(); ++i)
    if (kGenButtonCounts[i] == count)
      SendMessageW(cmdS_[i], WM_SETFONT, reinterpret_cast<WPARAM>(marked ? markFont_ : font_),
                   TRUE);
}

// The bin records a file under the place it was deleted from, so the base
// itself goes there; the caller renames the new content into its place right
// after. Where no bin takes the file (a network drive, a bin too small) the
// shell would destroy it silently under FOF_NOCONFIRMATION alone:
// FOF_WANTNUKEWARNING asks first, and a No leaves the file for the backup.
bool MainWindow::KeepInTrash(const std::filesystem::path& path, std::u16string& error) {
  std::wstring from = path.wstring();
  from.push_back(L'\0');  // the list ends with two NULs
  SHFILEOPSTRUCTW operation{};
  operation.hwnd = hwnd_;
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags =
      FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_SILENT | FOF_NOERRORUI;
  const int result = SHFileOperationW(&operation);
  if (result == 0 && !operation.fAnyOperationsAborted) return true;
  error = u"Корзина не приняла файл (код " + Decimal(result) + u")";
  return false;
}

void MainWindow::OpenWithAssociatedProgram(const std::filesystem::path& path) {
  ShellExecuteW(hwnd_, L"open", path.wstring().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::int32_t MainWindow::TickCount() const {
  return static_cast<std::int32_t>(GetTickCount());
}

void MainWindow::SetOptionEnabled(int index, bool enabled) {
  if (index >= 0 && index < kOptionCount)
    EnableWindow(opt_[static_cast<std::size_t>(index)], enabled);
}

void MainWindow::SetChaosTooltip(std::u16string_view tooltip) {
  std::wstring tip = W(tooltip);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(opt_[kOptChaos]);
  tool.lpszText = tip.data();
  SendMessageW(tooltips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool MainWindow::ControlKeyHeld() const {
  return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
}

void MainWindow::DrawLifeCell(int x, int y, bool alive) {
  if (x < 0 || y < 0 || x >= LifeGrid::kColumns || y >= LifeGrid::kRows) return;
  auto cell = cells_[static_cast<std::size_t>(x + LifeGrid::kColumns * y)];
  if (cell == alive) return;
  cell = alive;
  if (!IsWindowVisible()) return;
  const RECT picture = PictureRect();
  const int width = picture.right - picture.left, height = picture.bottom - picture.top;
  const RECT area{picture.left + x * width / LifeGrid::kColumns,
                  picture.top + y * height / LifeGrid::kRows,
                  picture.left + (x + 1) * width / LifeGrid::kColumns + 1,
                  picture.top + (y + 1) * height / LifeGrid::kRows + 1};
  InvalidateRect(hwnd_, &area, FALSE);
}

// SettingsTarget

void MainWindow::SetOptionValue(int index, int value) {
  if (index < 0 || index >= kOptionCount) return;
  auto& stored = values_[static_cast<std::size_t>(index)];
  if (stored == value) return;
  stored = value;
  SendMessageW(opt_[static_cast<std::size_t>(index)], BM_SETCHECK, static_cast<WPARAM>(value), 0);
  program_->ReadOptions();
}

void MainWindow::SendToTray() {
  if (inTray_ || !AddTrayIcon()) return;
  inTray_ = true;
  ShowWindow(hwnd_, SW_HIDE);
}

void MainWindow::SetLineTexts(const std::u16string& prologue, const std::u16string& epilogue,
                              const std::u16string& console) {
  SetWindowTextW(txtInLine_, W(prologue).c_str());
  SetWindowTextW(txtOutLine_, W(epilogue).c_str());
  SetWindowTextW(txtCmd_, W(console).c_str());
}

}  // namespace vm::win32
