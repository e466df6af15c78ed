#include "skin/skin_engine.h"

namespace tunelark {

namespace {
SkinEngine* g_current = nullptr;
}  // namespace

SkinEngine::SkinEngine() {
  if (!g_current) g_current = this;
  captionAction = [this](int instance, int button) { CaptionButtonAction(instance, button); };
}

SkinEngine::~SkinEngine() {
  for (auto& instance : instances_) ReleaseInstanceGdi(*instance);
  instances_.clear();
  // Snapshot DCs still registered are plain GDI; the registry's destructor releases them.
  End();
  if (g_current == this) g_current = nullptr;
}

SkinEngine* SkinEngine::Current() { return g_current; }

// ---------------------------------------------------------------------------------------
// Start and end

bool SkinEngine::Start() {
  // GDI+ version 1, no debug callback, its own background thread.
  if (!GdiplusRunning()) gdiplus_.emplace();
  if (!programIcon_) {
    HMODULE module = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(module, MAKEINTRESOURCEA(129));
    if (!icon) icon = LoadIconA(module, "DEFAULT_ICON");
    programIcon_ = IconHandle(icon);
  }
  options.firstSizePending = 1;
  options.drawChildControls = 1;
  options.backdropAlpha = 160;
  options.accentColour = 0xDDCA22;
  options.controlFrames = 1;
  background.baseColour = GetSysColor(COLOR_BTNFACE);
  return GdiplusRunning();
}

void SkinEngine::End() {
  programIcon_.reset();
  // Pictures, fonts and glyphs the windows keep are GDI+ objects: they go first.
  for (auto& instance : instances_) instance->ForgetGdiplus();
  decodedPictures_.Clear();
  ShutdownGdiplus();
}

void SkinEngine::ShutdownGdiplus() {
  if (gdiplus_) gdiplus_->Shutdown();
}

int SkinEngine::SetSkinOptions(int drawChildControls, std::optional<int> backdropAlpha,
                               std::optional<int> controlFrames) {
  options.drawChildControls = drawChildControls;
  options.backdropAlpha = backdropAlpha.value_or(160);
  options.alphaGiven = backdropAlpha.has_value() ? 1 : 0;
  options.controlFrames = controlFrames.value_or(1);
  return options.controlFrames;
}

// ---------------------------------------------------------------------------------------
// Instances and lookups

int SkinEngine::AddInstance(std::unique_ptr<SkinInstance> instance) {
  instances_.push_back(std::move(instance));
  return InstanceCount();
}

SkinInstance* SkinEngine::Instance(int number) {
  return number >= 1 && number <= InstanceCount() ? instances_[static_cast<size_t>(number - 1)].get() : nullptr;
}

int SkinEngine::FindSkinInstance(HWND window) const {
  if (!window) return 0;
  for (int k = 1; k <= InstanceCount(); ++k)
    if (instances_[static_cast<size_t>(k - 1)]->window == window) return k;
  return 0;
}

SkinInstance* SkinEngine::InstanceOfWindow(HWND window) {
  SkinInstance* skin = window ? Instance(GetIntProp(window, prop::kListPosition)) : nullptr;
  return skin && skin->window == window ? skin : nullptr;
}

int SkinEngine::FindOwningInstance(HWND control) const {
  for (HWND a = GetParent(control); a; a = GetParent(a))
    if (int k = FindSkinInstance(a)) return k;
  return 0;
}

int SkinEngine::FindContainer(int instance, HWND window) {
  SkinInstance* skin = Instance(instance);
  return skin ? skin->List<ContainerRecord>().Find(window) : 0;
}

int SkinEngine::FindPaintingContainerAbove(int instance, HWND control, HWND stop) {
  SkinInstance* skin = Instance(instance);
  if (!skin) return 0;
  FamilyList<ContainerRecord>& containers = skin->List<ContainerRecord>();
  for (HWND a = GetParent(control); a && a != stop; a = GetParent(a)) {
    int j = containers.Find(a);
    if (j && containers.At(j)->ownPaint) return j;
  }
  return 0;
}

// ---------------------------------------------------------------------------------------
// Removal and renumbering

void SkinEngine::ReleaseInstanceGdi(SkinInstance& instance) {
  // Colour-reply objects of the edit boxes.
  if (const FamilyListBase* edits = instance.ListOf(Family::Edit)) {
    for (int i = 1; i <= edits->Count(); ++i) {
      HWND edit = edits->WindowAt(i);
      if (!edit) continue;
      // Cleared after deleting, so an edit box that outlives its window never deletes the
      // same handle twice.
      if (HGDIOBJ bitmap = GetHandleProp<HGDIOBJ>(edit, prop::kReplyBitmap)) DeleteObject(bitmap);
      if (HGDIOBJ brush = GetHandleProp<HGDIOBJ>(edit, prop::kReplyBrush)) DeleteObject(brush);
      SetHandleProp<HGDIOBJ>(edit, prop::kReplyBitmap, nullptr);
      SetHandleProp<HGDIOBJ>(edit, prop::kReplyBrush, nullptr);
    }
  }
  // The back buffer: its original bitmap goes back in and the background bitmap that
  // comes out is deleted (once), then the DC and the strips.
  instance.back.Release();
}

void SkinInstance::ForgetGdiplus() {
  caption.tooltip.Destroy();
  for (CaptionButton& button : caption.buttons) button.ForgetGlyphs();
  title.ForgetFont();
  status.ForgetGdiplus();
}

void SkinEngine::RemoveInstance(HWND destroyedWindow) {
  if (int k = FindSkinInstance(destroyedWindow)) {
    ReleaseInstanceGdi(*instances_[static_cast<size_t>(k - 1)]);
    instances_.erase(instances_.begin() + (k - 1));
  }
  Renumber();
}

void SkinEngine::Renumber() {
  static constexpr Family kRenumbered[] = {Family::ListLike, Family::Button, Family::Edit,
                                           Family::Combo,    Family::Header, Family::UpDown,
                                           Family::Trackbar, Family::Progress, Family::Container};
  for (int k = 1; k <= InstanceCount(); ++k) {
    SkinInstance& instance = *instances_[static_cast<size_t>(k - 1)];
    SetIntProp(instance.window, prop::kListPosition, k);
    for (Family family : kRenumbered) {
      if (const FamilyListBase* list = instance.ListOf(family))
        for (int i = 1; i <= list->Count(); ++i)
          if (HWND control = list->WindowAt(i)) SetIntProp(control, prop::kInstance, k);
    }
    if (const FamilyListBase* list = instance.ListOf(Family::Transparent))
      for (int i = 1; i <= list->Count(); ++i)
        if (HWND control = list->WindowAt(i)) SetIntProp(control, prop::kTransparentInstance, k);
  }
}

}  // namespace tunelark
