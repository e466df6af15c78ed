#include "gfx/tooltip_window.h"

#include <commctrl.h>

#include <string>

namespace tunelark {

namespace {

// The 40-byte tool record (no lParam, no reserved field) that every tool message carries.
TOOLINFOA ToolRecord(HWND owner, UINT_PTR id, ToolFeed feed) {
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = feed == ToolFeed::Subclass ? TTF_SUBCLASS : 0;
  tool.hwnd = owner;
  tool.uId = id;
  return tool;
}

}  // namespace

TooltipWindow& TooltipWindow::operator=(TooltipWindow&& other) noexcept {
  if (this != &other) {
    Destroy();
    tip_ = std::exchange(other.tip_, nullptr);
    owner_ = std::exchange(other.owner_, nullptr);
    feed_ = other.feed_;
  }
  return *this;
}

HWND TooltipWindow::Create(HWND owner, bool balloon, ToolFeed feed) {
  Destroy();
  feed_ = feed;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  owner_ = owner;
  const DWORD style = balloon ? (TTS_ALWAYSTIP | TTS_BALLOON) : TTS_ALWAYSTIP;
  tip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, "", style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  return tip_;
}

void TooltipWindow::Destroy() {
  if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
  tip_ = nullptr;
}

bool TooltipWindow::AddTool(const RECT& rect, std::string_view text, UINT_PTR id) {
  if (!tip_) return false;
  std::string copy(text);  // NUL-terminated; the control keeps its own copy
  TOOLINFOA tool = ToolRecord(owner_, id, feed_);
  tool.rect = rect;
  tool.lpszText = copy.data();
  return SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

bool TooltipWindow::AddToolTextCallback(const RECT& rect, UINT_PTR id) {
  if (!tip_) return false;
  TOOLINFOA tool = ToolRecord(owner_, id, feed_);
  tool.rect = rect;
  tool.lpszText = LPSTR_TEXTCALLBACKA;
  return SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

void TooltipWindow::SetBackgroundColour(COLORREF colour) {
  if (tip_) SendMessageA(tip_, TTM_SETTIPBKCOLOR, colour, 0);
}

void TooltipWindow::SetTextColour(COLORREF colour) {
  if (tip_) SendMessageA(tip_, TTM_SETTIPTEXTCOLOR, colour, 0);
}

void TooltipWindow::SetMaxWidth(int pixels) {
  if (tip_) SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, pixels);
}

void TooltipWindow::RemoveTool(UINT_PTR id) {
  if (!tip_) return;
  TOOLINFOA tool = ToolRecord(owner_, id, feed_);
  SendMessageA(tip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TooltipWindow::MoveTool(UINT_PTR id, const RECT& rect) {
  if (!tip_) return;
  TOOLINFOA tool = ToolRecord(owner_, id, feed_);
  tool.rect = rect;
  SendMessageA(tip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TooltipWindow::ChangeToolText(UINT_PTR id, std::string_view text) {
  if (!tip_) return;
  std::string copy(text);
  TOOLINFOA tool = ToolRecord(owner_, id, feed_);
  tool.lpszText = copy.data();
  SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

int TooltipWindow::ToolCount() const {
  if (!tip_) return 0;
  return static_cast<int>(SendMessageA(tip_, TTM_GETTOOLCOUNT, 0, 0));
}

void TooltipWindow::Relay(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (!tip_ || feed_ != ToolFeed::Relay) return;
  const bool mouse = (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_NCMOUSEMOVE;
  if (!mouse) return;
  MSG msg{owner_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
  const DWORD pos = GetMessagePos();
  msg.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
  SendMessageA(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

}  // namespace tunelark
