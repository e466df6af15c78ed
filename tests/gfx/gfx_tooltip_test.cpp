// The tooltip object against the real common-controls tooltip: its style, and the tools it
// registers, read back from the control (count, flags, owner, id, rectangle, text).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "gfx/tooltip_window.h"

using tunelark::TooltipWindow;

namespace {

const char kCallbackText[] = "回调提示";

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == TTN_GETDISPINFOA) {
      auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
      lstrcpynA(info->szText, kCallbackText, sizeof info->szText);
      info->lpszText = info->szText;
      return 0;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class Owner {
 public:
  Owner() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GfxTooltipOwner";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, "GfxTooltipOwner", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  }
  ~Owner() { DestroyWindow(window_); }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

struct ToolRead {
  bool found = false;
  UINT flags = 0;
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  RECT rect{};
};

ToolRead EnumTool(HWND tip, int index) {
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V1_SIZE;
  char text[256] = {};
  info.lpszText = text;
  ToolRead read;
  read.found = SendMessageA(tip, TTM_ENUMTOOLSA, index, reinterpret_cast<LPARAM>(&info)) != 0;
  read.flags = info.uFlags;
  read.hwnd = info.hwnd;
  read.id = info.uId;
  read.rect = info.rect;
  return read;
}

// A tool info naming tool id of owner, for the messages that look a tool up.
TOOLINFOA ToolOf(HWND owner, UINT_PTR id) {
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V1_SIZE;
  info.hwnd = owner;
  info.uId = id;
  return info;
}

bool ReadTool(HWND tip, HWND owner, UINT_PTR id, RECT& rect) {
  TOOLINFOA info = ToolOf(owner, id);
  if (!SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info))) return false;
  rect = info.rect;
  return true;
}

std::string ToolText(HWND tip, HWND owner, UINT_PTR id) {
  char text[256] = {};
  TOOLINFOA info = ToolOf(owner, id);
  info.lpszText = text;
  SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
  return info.lpszText && info.lpszText != LPSTR_TEXTCALLBACKA ? std::string(info.lpszText) : std::string();
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(TooltipWindow, StyleIsAlwaysTipAndBalloonOnRequest) {
  Owner owner;
  TooltipWindow plain;
  HWND tip = plain.Create(owner.get(), false);
  ASSERT_NE(nullptr, tip);
  EXPECT_EQ(tip, plain.window());
  EXPECT_EQ(owner.get(), plain.owner());
  char cls[64] = {};
  GetClassNameA(tip, cls, sizeof cls);
  EXPECT_STREQ("tooltips_class32", CharLowerA(cls));
  const LONG style = GetWindowLongA(tip, GWL_STYLE);
  EXPECT_EQ(TTS_ALWAYSTIP, style & (TTS_ALWAYSTIP | TTS_BALLOON));
  EXPECT_EQ(nullptr, GetParent(tip));

  TooltipWindow balloon;
  HWND tip2 = balloon.Create(owner.get(), true);
  ASSERT_NE(nullptr, tip2);
  EXPECT_EQ(TTS_ALWAYSTIP | TTS_BALLOON, GetWindowLongA(tip2, GWL_STYLE) & (TTS_ALWAYSTIP | TTS_BALLOON));

  // Creating again replaces the window; the object owns and destroys its windows.
  HWND tip3 = balloon.Create(owner.get(), false);
  ASSERT_NE(nullptr, tip3);
  EXPECT_FALSE(IsWindow(tip2));
  {
    TooltipWindow moved = std::move(balloon);
    EXPECT_EQ(nullptr, balloon.window());
    EXPECT_EQ(tip3, moved.window());
  }
  EXPECT_FALSE(IsWindow(tip3));
}

TEST(TooltipWindow, ToolsAreRegisteredWithSubclassFlagRectangleAndText) {
  Owner owner;
  TooltipWindow tips;
  ASSERT_NE(nullptr, tips.Create(owner.get(), false));
  const RECT first{10, 5, 36, 23};
  const RECT second{40, 5, 66, 23};
  ASSERT_TRUE(tips.AddTool(first, "关闭", 1));
  ASSERT_TRUE(tips.AddToolTextCallback(second, 2));
  HWND tip = tips.window();
  EXPECT_EQ(2, tips.ToolCount());
  EXPECT_EQ(2, static_cast<int>(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0)));

  for (int index = 0; index < 2; ++index) {
    const ToolRead tool = EnumTool(tip, index);
    ASSERT_TRUE(tool.found);
    EXPECT_TRUE(tool.flags & TTF_SUBCLASS);
    EXPECT_FALSE(tool.flags & TTF_IDISHWND);
    EXPECT_EQ(owner.get(), tool.hwnd);
    EXPECT_EQ(static_cast<UINT_PTR>(index + 1), tool.id);
    EXPECT_TRUE(SameRect(index == 0 ? first : second, tool.rect));
  }
  EXPECT_EQ("关闭", ToolText(tip, owner.get(), 1));
  EXPECT_EQ(kCallbackText, ToolText(tip, owner.get(), 2));  // asked from the owner

  // Move, change text, remove.
  const RECT moved{100, 0, 126, 18};
  tips.MoveTool(1, moved);
  RECT read{};
  ASSERT_TRUE(ReadTool(tip, owner.get(), 1, read));
  EXPECT_TRUE(SameRect(moved, read));
  tips.ChangeToolText(1, "最小化");
  EXPECT_EQ("最小化", ToolText(tip, owner.get(), 1));
  tips.RemoveTool(2);
  EXPECT_EQ(1, tips.ToolCount());
  EXPECT_FALSE(ReadTool(tip, owner.get(), 2, read));
}

TEST(TooltipWindow, ColoursAndWidthReachTheControl) {
  Owner owner;
  TooltipWindow tips;
  ASSERT_NE(nullptr, tips.Create(owner.get(), true));
  tips.SetBackgroundColour(RGB(0x20, 0x40, 0x60));
  tips.SetTextColour(RGB(0xF0, 0xE0, 0xD0));
  tips.SetMaxWidth(180);
  HWND tip = tips.window();
  EXPECT_EQ(RGB(0x20, 0x40, 0x60), static_cast<COLORREF>(SendMessageA(tip, TTM_GETTIPBKCOLOR, 0, 0)));
  EXPECT_EQ(RGB(0xF0, 0xE0, 0xD0), static_cast<COLORREF>(SendMessageA(tip, TTM_GETTIPTEXTCOLOR, 0, 0)));
  EXPECT_EQ(180, static_cast<int>(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0)));
}

TEST(TooltipWindow, OperationsBeforeCreateDoNothing) {
  TooltipWindow tips;
  EXPECT_EQ(nullptr, tips.window());
  EXPECT_FALSE(tips.AddTool(RECT{0, 0, 1, 1}, "x", 1));
  EXPECT_FALSE(tips.AddToolTextCallback(RECT{0, 0, 1, 1}, 1));
  tips.RemoveTool(1);
  tips.MoveTool(1, RECT{});
  tips.ChangeToolText(1, "y");
  tips.SetMaxWidth(10);
  EXPECT_EQ(0, tips.ToolCount());
}
