// TooltipWindow: one common-controls tooltip window ("ToolTips_class32") for an owner
// window, with tools registered as rectangles of the owner (TTF_SUBCLASS, or fed by the
// owner through Relay) (fixed text or text
// asked from the owner through TTN_GETDISPINFO), its colours, maximum width, and tool
// removal, moving and text changes. The object owns its tooltip window: it is destroyed with
// the object or when Create makes a new one. Use it on the thread that created it.
#pragma once
#include <windows.h>

#include <string_view>
#include <utility>

namespace tunelark {

// How the tooltip sees the owner's mouse messages: TTF_SUBCLASS puts the common controls'
// subclass in front of every message of the owner; Relay leaves the owner's procedure alone
// and the owner hands over its mouse messages (TTM_RELAYEVENT).
enum class ToolFeed { Subclass, Relay };

class TooltipWindow {
 public:
  TooltipWindow() = default;
  TooltipWindow(TooltipWindow&& other) noexcept
      : tip_(std::exchange(other.tip_, nullptr)), owner_(std::exchange(other.owner_, nullptr)), feed_(other.feed_) {}
  TooltipWindow& operator=(TooltipWindow&& other) noexcept;
  TooltipWindow(const TooltipWindow&) = delete;
  TooltipWindow& operator=(const TooltipWindow&) = delete;
  ~TooltipWindow() { Destroy(); }

  // Makes the tooltip window (style TTS_ALWAYSTIP, plus TTS_BALLOON when balloon) for owner;
  // a window made before is destroyed. Returns the new window or null.
  HWND Create(HWND owner, bool balloon = false, ToolFeed feed = ToolFeed::Subclass);
  // With ToolFeed::Relay: hands one of the owner's mouse messages to the tooltip.
  void Relay(UINT message, WPARAM wParam, LPARAM lParam) const;
  // Registers the owner's rectangle as tool id with a code page 936 text (copied by the
  // control).
  bool AddTool(const RECT& rect, std::string_view text, UINT_PTR id);
  // The same with LPSTR_TEXTCALLBACK: the owner answers TTN_GETDISPINFO with the text.
  bool AddToolTextCallback(const RECT& rect, UINT_PTR id);
  void SetBackgroundColour(COLORREF colour);
  void SetTextColour(COLORREF colour);
  void SetMaxWidth(int pixels);
  void RemoveTool(UINT_PTR id);
  void MoveTool(UINT_PTR id, const RECT& rect);
  void ChangeToolText(UINT_PTR id, std::string_view text);
  // Number of registered tools.
  int ToolCount() const;

  HWND window() const { return tip_; }
  HWND owner() const { return owner_; }
  // Destroys the tooltip window (if any); the object is empty after.
  void Destroy();

 private:
  HWND tip_ = nullptr;
  HWND owner_ = nullptr;
  ToolFeed feed_ = ToolFeed::Subclass;
};

}  // namespace tunelark
