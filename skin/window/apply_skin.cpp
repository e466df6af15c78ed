// Placeholder until the skinned top-level window lands.
#include "skin/skin_engine.h"

namespace tunelark {

int SkinEngine::ApplySkin(HWND window, const ApplySkinArgs&) { return FindSkinInstance(window); }

void SkinEngine::SetBackground(const ByteArray& picture, std::optional<COLORREF> baseColour,
                               std::optional<COLORREF> accentColour, std::optional<int> layoutMode) {
  background.picture = picture;
  if (baseColour) background.baseColour = *baseColour;
  if (accentColour) options.accentColour = *accentColour;
  if (layoutMode) background.layoutMode = *layoutMode;
}

}  // namespace tunelark
