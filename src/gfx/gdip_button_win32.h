// CGdipButton: a child button drawn from PNG resources, with a highlighted, a pressed and a
// greyed look rendered once into cached contexts. Used as the main window's scroll thumb: a
// press and a vertical move drag it along its track and tell the main window its new top.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "gfx/gdiplus_bitmap_win32.h"
#include "gfx/thumb_drag.h"

namespace gm::gfx {

// Posted to the drag target after the button moved: wParam = new top, lParam = 0.
inline constexpr UINT kThumbMovedMessage = 0xB20;

class CGdipButton {
 public:
  enum class Look {
    Background,
    Standard,
    StandardPressed,
    StandardHighlighted,
    Alternate,
    AlternatePressed,
    AlternateHighlighted,
    Greyed,
  };
  static constexpr std::size_t kLookCount = 8;

  CGdipButton() = default;
  ~CGdipButton();
  CGdipButton(const CGdipButton&) = delete;
  CGdipButton& operator=(const CGdipButton&) = delete;

  // Creates the visible child window `id` at `rect` (parent coordinates).
  bool Create(HWND parent, const RECT& rect, int id);
  void Destroy();

  bool LoadStdImage(UINT resourceId, const wchar_t* type = L"PNG");
  // Also switches on the alternate set of looks.
  bool LoadAltImage(UINT resourceId, const wchar_t* type = L"PNG");
  void EnableButton(bool enabled);
  void EnableToggle(bool on) { toggle_ = on; }
  void SetToolTipText(std::wstring text) { toolTipText_ = std::move(text); }
  // Recaptures the parent's pixels under the button into the background context.
  void RefreshBackground();
  // Where the moved message goes (the parent unless set).
  void SetDragTarget(HWND target) { dragTarget_ = target; }

  HWND hwnd() const { return hwnd_; }
  bool cachesBuilt() const { return cachesBuilt_; }
  // A cached look (null before the caches are built); the one in use is what the button shows.
  HDC LookContext(Look look) const { return looks_[static_cast<std::size_t>(look)].dc; }
  Look lookInUse() const { return inUse_; }
  bool dragging() const { return dragging_; }

 private:
  struct CachedLook {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnPaint();
  void BuildCaches();
  void ReleaseCaches();
  void CaptureBackground(HDC into);
  void RenderLook(Look look, Gdiplus::GpBitmap* image, int offset, const Gdiplus::ColorMatrix* m);
  Look ChooseLook() const;
  void OnHover();
  void RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam);
  // The pointer's screen position from a mouse message's client coordinates.
  POINT ScreenPoint(LPARAM lParam) const;
  void DragTo(POINT screen);

  HWND hwnd_ = nullptr;
  HWND parent_ = nullptr;
  HWND dragTarget_ = nullptr;
  HWND toolTip_ = nullptr;
  std::wstring toolTipText_;
  CGdiPlusBitmapResource standard_;
  CGdiPlusBitmapResource alternate_;
  std::array<CachedLook, kLookCount> looks_{};
  Look inUse_ = Look::Standard;
  bool cachesBuilt_ = false;
  bool useAlternate_ = false;
  bool toggle_ = false;
  bool alternateShown_ = false;
  bool highlighted_ = true;
  bool tracking_ = false;
  bool pressed_ = false;
  bool dragging_ = false;
  POINT lastDrag_{};  // screen position of the pointer at the last accepted move
};

}  // namespace gm::gfx
