#include "app/settings_pages_win32.h"

#include "app/page_painter_win32.h"

namespace gm {
namespace {

constexpr COLORREF kDisabledLinesField = RGB(40, 45, 54);
constexpr COLORREF kDisabledLinesText = RGB(110, 118, 130);

HMENU ChildId(int id) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

}  // namespace

Win32PageView::Win32PageView(Context context)
    : context_(std::move(context)),
      colours_(context_.log),
      editor_(context_.state.record, *this, colours_) {}

Win32PageView::~Win32PageView() = default;

void Win32PageView::FollowColumn(const ColumnPlan& plan) {
  const PageChildren children = RightColumnChildren(plan);
  if (children.swatches == ChildAction::Recreate) {
    CreateSwatches();
  } else {
    DestroySwatches();
  }
  if (children.scrollLines == ChildAction::Recreate) {
    CreateScrollLines();
  } else {
    DestroyScrollLines();
  }
}

void Win32PageView::CreateSwatches() {
  DestroySwatches();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    const Rect r = DpiSwatch(k);
    // The colour comes from the answer to the swatch's control-colour request.
    swatches_[k] = CreateWindowExW(
        0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER, r.left, r.top, r.width(), r.height(),
        context_.window.hwnd(), ChildId(kFirstSwatchId + static_cast<int>(k)), instance, nullptr);
  }
}

void Win32PageView::DestroySwatches() {
  for (HWND& swatch : swatches_) {
    if (swatch != nullptr) DestroyWindow(swatch);
    swatch = nullptr;
  }
}

void Win32PageView::CreateScrollLines() {
  DestroyScrollLines();
  const Rect r = ScrollLinesBox(PlaceOf(context_.layout, Page::ScrollSpeed, context_.sizes));
  const SettingsRecord& record = context_.state.record;
  DWORD style = WS_CHILD | WS_VISIBLE | ES_NUMBER | ES_CENTER | ES_AUTOHSCROLL;
  if (!ScrollLinesTakeInput(record.at(rec::kScrollOneScreen))) style |= WS_DISABLED;
  // Made with its text, so that creating it is no edit of the count.
  const std::wstring text = std::to_wstring(FieldValue(record, ControlOf(Control::ScrollLines), 0));
  scrollLines_ = CreateWindowExW(0, L"EDIT", text.c_str(), style, r.left, r.top, r.width(),
                                 r.height(), context_.window.hwnd(), ChildId(kScrollLinesId),
                                 GetModuleHandleW(nullptr), nullptr);
  if (scrollLines_ != nullptr) {
    SendMessageW(scrollLines_, WM_SETFONT, reinterpret_cast<WPARAM>(context_.mainFont), FALSE);
  }
}

void Win32PageView::DestroyScrollLines() {
  if (scrollLines_ == nullptr) return;
  HWND edit = scrollLines_;
  scrollLines_ = nullptr;  // no edits from its last notifications
  DestroyWindow(edit);
}

bool Win32PageView::OnCommand(int id, int code) {
  if (id != kScrollLinesId) return false;
  if (code == EN_CHANGE) OnScrollLinesChanged();
  return true;
}

void Win32PageView::OnScrollLinesChanged() {
  if (scrollLines_ == nullptr) return;
  wchar_t text[32] = {};
  GetWindowTextW(scrollLines_, text, static_cast<int>(std::size(text)));
  editor_.ScrollLinesTextChanged(text);
  Log(ControlOf(Control::ScrollLines), 0);
}

HBRUSH Win32PageView::OnStaticColour(HDC dc, HWND control) const {
  for (std::size_t k = 0; k < swatches_.size(); ++k) {
    if (control != swatches_[k] || control == nullptr) continue;
    const Rgb colour = context_.state.record.stageColour(k);
    SetBkMode(dc, TRANSPARENT);
    return CreateSolidBrush(RGB(colour.red, colour.green, colour.blue));
  }
  if (control != nullptr && control == scrollLines_) {
    // The lines box while disabled (it asks as a static control): a dimmed field of the dark
    // skin rather than the system's light grey.
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, context_.mainFont);
    SetTextColor(dc, kDisabledLinesText);
    return CreateSolidBrush(kDisabledLinesField);
  }
  return nullptr;
}

void Win32PageView::ControlChanged(Control control, int index) {
  const PageControl& changed = ControlOf(control);
  switch (changed.look) {
    case Look::Picture: {
      const PagePlace place = PlaceOf(context_.layout, changed.page, context_.sizes);
      context_.paint([&](HDC dc, const MainPainter& painter) {
        PagePainter(painter).Redraw(dc, changed, place, index);
      });
      break;
    }
    case Look::Swatch: {
      HWND swatch = index >= 0 && index < static_cast<int>(swatches_.size())
                        ? swatches_[static_cast<std::size_t>(index)]
                        : nullptr;
      if (swatch != nullptr) {
        InvalidateRect(swatch, nullptr, TRUE);
        UpdateWindow(swatch);
      }
      break;
    }
    case Look::LinesBox:
      // The box reports the change (EN_CHANGE), which reads the count back and logs it.
      SetScrollLinesText(std::to_wstring(FieldValue(context_.state.record, changed, index)), false);
      return;
  }
  Log(changed, index);
}

void Win32PageView::EnableScrollLines(bool enable) {
  if (scrollLines_ != nullptr) EnableWindow(scrollLines_, enable ? TRUE : FALSE);
}

void Win32PageView::SetScrollLinesText(const std::wstring& text, bool selected) {
  if (scrollLines_ == nullptr) return;
  SetWindowTextW(scrollLines_, text.c_str());
  if (selected) SendMessageW(scrollLines_, EM_SETSEL, 0, -1);
}

void Win32PageView::Log(const PageControl& control, int index) {
  context_.log.Line(PageLogLine(context_.state.record, control, index));
}

}  // namespace gm
