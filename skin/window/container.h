// Containers and group boxes: a child window that holds other controls (a group box, a tab
// control, or any window the caller names, such as a panel) is taken over so that it paints
// the skin background behind it, optionally tinted with a translucent colour and outlined
// with a soft rounded double frame; a group box draws its own caption. Taking a container
// also takes the controls inside it through the control families' installers.
//
// Nesting: a container that holds another container becomes a background owner ("Wxk_Zpf" =
// 1, its painted look kept in the DC that "Wxk_Cj" names), and every container's "Mb_zpf"
// names its nearest owner, so whatever lies inside takes the tints of all the containers
// around it.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "skin/container_record.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

// The optional arguments of SkinContainer.
struct ContainerArgs {
  std::optional<int> ownPaint;         // 1: the container paints itself; 0: the system paints it
  std::optional<COLORREF> tintColour;  // 0: no tint
  std::optional<int> tintAlpha;        // 255
  std::optional<int> frameFlag;        // 0: a plain container draws no frame
};

// Takes window as a container of the skinned window it lies on, with the controls inside
// it. Returns its container-list position (the position it already has when taken before);
// 0, with nothing changed, when the window has no skinned ancestor or another family of the
// skin has taken it.
int SkinContainer(SkinEngine& engine, HWND window, const ContainerArgs& args = {});

// A new alpha for a tinted container, which is repainted; false (nothing done) when window
// is no container or has no tint.
bool SetContainerTintAlpha(SkinEngine& engine, HWND window, int alpha);

// Class "Button" (exactly) with style bit 0x4: a group box.
bool IsGroupBox(HWND window);

// Paints into dc, at rect r of control's client area, the skin background behind that part
// of the control with the tint of the container it is or lies in.
void PaintBackgroundBehind(SkinEngine& engine, HWND control, HDC dc, const RECT& r);

// Width of text in a control font: measured, rounded
// down, plus 1.
int TextWidth(const std::string& text, const ControlFont& font);

// Painter: the container's frame and, for a group box, its caption, over the background
// already on the canvas (client size). Reads the caption and text colour from the window.
void PaintContainerLook(SkinEngine& engine, Canvas& canvas, const ContainerRecord& record);

}  // namespace tunelark
