// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/copy_panel.h"

#include <utility>

#include "ui/ui_texts.h"
#include "win32/win_text.h"

namespace w32ui {
namespace {
constexpr int kWidth = 480;
constexpr int kHeight = 260;
constexpr UINT_PTR kFrameTimer = 1;
// shell32's "file copy" animation.
constexpr int kFileCopyAvi = 161;
}  // namespace

CopyPanel::CopyPanel(HWND parent, std::function<void()> onCancel) : onCancel_(std::move(onCancel)) {
  Create(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
         L"", 0, 0, Scaled(kWidth, DpiOf(parent)), Scaled(kHeight, DpiOf(parent)), parent);
  titleBrush_ = CreateSolidBrush(RGB(0x0a, 0x24, 0x6a));
  title_ = Control(L"Static", Wide(ui_text::CopyTitle()), SS_NOPREFIX | SS_CENTERIMAGE, 8, 0,
                   kWidth - 16, 26, kIdPanelTitle);
  // The system's animation where shell32 has it; otherwise one of ours of
  // the same size, drawn on a timer. Wine's shell32 holds a placeholder clip
  // ("Searching") under that id: under Wine ours is drawn.
  animation_ = Control(ANIMATE_CLASSW, L"", ACS_TRANSPARENT | ACS_CENTER, 104, 30, 272, 60,
                       kIdPanelAnimation);
  HMODULE shell = LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  systemAnimation_ = shell != nullptr && !wine &&
                     SendMessageW(animation_, ACM_OPENW, reinterpret_cast<WPARAM>(shell),
                                  reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(kFileCopyAvi))) != 0;
  if (!systemAnimation_) ShowWindow(animation_, SW_HIDE);
  Control(L"Static", Wide(ui_text::CopyFrom()), SS_NOPREFIX, 10, 98, 28, 18, -1);
  from_ = Control(L"Static", L"", SS_NOPREFIX | SS_PATHELLIPSIS, 40, 98, 430, 18, kIdPanelFrom);
  Control(L"Static", Wide(ui_text::CopyTo()), SS_NOPREFIX, 10, 120, 28, 18, -1);
  to_ = Control(L"Static", L"", SS_NOPREFIX | SS_PATHELLIPSIS, 40, 120, 430, 18, kIdPanelTo);
  bar_ = Control(PROGRESS_CLASSW, L"", 0, 10, 144, 456, 18, kIdPanelBar);
  song_ = Control(L"Static", L"", SS_NOPREFIX, 10, 168, 456, 18, kIdPanelSong);
  overall_ = Control(PROGRESS_CLASSW, L"", 0, 10, 190, 456, 18, kIdPanelOverall);
  cancel_ = Control(L"Button", Wide(ui_text::CancelButton()), WS_TABSTOP | BS_PUSHBUTTON, 391, 220,
                    75, 25, kIdPanelCancel);
  for (HWND bar : {bar_, overall_}) SendMessageW(bar, PBM_SETRANGE32, 0, 100);
}

CopyPanel::~CopyPanel() {
  if (hwnd_ != nullptr) KillTimer(hwnd_, kFrameTimer);
  DeleteObject(titleBrush_);
}

SIZE CopyPanel::Size() const {
  return {S(kWidth), S(kHeight)};
}

void CopyPanel::SetText(HWND control, const std::wstring& text) {
  if (TextOf(control) != text) SetWindowTextW(control, text.c_str());
}

void CopyPanel::Show(const TCopyPanel& panel) {
  Animate(panel.Animates());
  SetText(from_, Wide(panel.from));
  SetText(to_, Wide(panel.to));
  if (panel.percent != percent_) {
    percent_ = panel.percent;
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(percent_), 0);
  }
  if (panel.overall != overallPercent_) {
    overallPercent_ = panel.overall;
    SendMessageW(overall_, PBM_SETPOS, static_cast<WPARAM>(overallPercent_), 0);
  }
  SetText(title_, Wide(panel.Title()));
  SetText(song_, Wide(panel.SongLine()));
  if (cancelEnabled_ != panel.CanCancel()) {
    cancelEnabled_ = panel.CanCancel();
    EnableWindow(cancel_, cancelEnabled_);
  }
}

void CopyPanel::Animate(bool running) {
  if (running == animating_) return;
  animating_ = running;
  if (systemAnimation_) {
    if (running) {
      SendMessageW(animation_, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 0xFFFF));
    } else {
      SendMessageW(animation_, ACM_STOP, 0, 0);
    }
  } else if (running) {
    SetTimer(hwnd_, kFrameTimer, 60, nullptr);
  } else {
    KillTimer(hwnd_, kFrameTimer);
  }
}

// A sheet of paper flying from one folder to the other.
void CopyPanel::PaintDrawnAnimation(HDC dc, const RECT& area) const {
  HBRUSH folderBrush = CreateSolidBrush(RGB(240, 200, 80));
  HPEN folderPen = CreatePen(PS_SOLID, 1, RGB(160, 120, 20));
  HGDIOBJ oldBrush = SelectObject(dc, folderBrush);
  HGDIOBJ oldPen = SelectObject(dc, folderPen);
  const int width = area.right - area.left;
  auto folder = [&](int x) {
    Rectangle(dc, area.left + x, area.top + S(22), area.left + x + S(48), area.top + S(54));
    Rectangle(dc, area.left + x, area.top + S(16), area.left + x + S(20), area.top + S(24));
  };
  folder(S(8));
  folder(width - S(56));
  const double t = frame_ / 19.0;
  const int x = area.left + S(40) + static_cast<int>(t * (width - S(120)));
  const int y = area.top + S(18) - static_cast<int>(S(14) * 4 * t * (1 - t));
  HPEN paperPen = CreatePen(PS_SOLID, 1, RGB(90, 90, 90));
  SelectObject(dc, paperPen);
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  Rectangle(dc, x, y, x + S(22), y + S(28));
  for (int line = 0; line < 4; ++line) {
    MoveToEx(dc, x + S(4), y + S(6 + line * 5), nullptr);
    LineTo(dc, x + S(18), y + S(6 + line * 5));
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(folderBrush);
  DeleteObject(folderPen);
  DeleteObject(paperPen);
}

LRESULT CopyPanel::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == kIdPanelCancel && HIWORD(wparam) == BN_CLICKED && onCancel_)
        onCancel_();
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lparam) == title_) {
        const auto dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, RGB(0x0a, 0x24, 0x6a));
        return reinterpret_cast<LRESULT>(titleBrush_);
      }
      break;
    case WM_TIMER:
      if (wparam == kFrameTimer) {
        frame_ = (frame_ + 1) % 20;
        RECT area = {S(104), S(30), S(376), S(90)};
        InvalidateRect(hwnd_, &area, TRUE);
        return 0;
      }
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      RECT strip;
      GetClientRect(hwnd_, &strip);
      strip.bottom = S(26);
      FillRect(dc, &strip, titleBrush_);
      if (!systemAnimation_ && animating_) {
        const RECT area = {S(104), S(30), S(376), S(90)};
        PaintDrawnAnimation(dc, area);
      }
      EndPaint(hwnd_, &ps);
      return 0;
    }
    default:
      break;
  }
  return Window::OnMessage(message, wparam, lparam);
}

}  // namespace w32ui
