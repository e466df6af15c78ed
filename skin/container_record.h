// The record of a container or group box (a child window that holds other controls and
// paints the skin background behind them). The container family fills it; the engine core
// reads its tint and its own-paint flag when it takes the background behind a control.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/control_font.h"
#include "skin/control_list.h"

namespace tunelark {

// The picture of a container that holds other containers: its own look (the background
// behind it, its tint, frame and caption) kept in a memory DC that "Wxk_Cj" names, so the
// containers and controls inside take their background from it (skin/window/container.cpp).
class OffscreenDC;

// A child kept stretched to its container's (or window's) width.
struct StretchedWindow {
  HWND window = nullptr;
  int top = 0;
};

struct ContainerRecord : ControlRecord {
  static constexpr Family kFamily = Family::Container;

  COLORREF tintColour = 0;  // translucent fill over the background; 0 = no tint
  BYTE tintAlpha = 255;
  int frameFlag = 0;        // a plain container draws the rounded double frame
  int backgroundStale = 0;  // 1 after taking and after every WM_SIZE; cleared by a paint
  int isGroupBox = 0;
  int ownPaint = 1;         // 1: the container paints itself; 0: the system paints it
  ControlFont font;         // group boxes: the caption font
  std::vector<StretchedWindow> stretchList;
  std::shared_ptr<OffscreenDC> ownerSurface;  // set while the container is a background owner

  void Forget();  // as its window is destroyed
};

}  // namespace tunelark
