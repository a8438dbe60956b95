// The main window's picture drawn by the program's painter on the default skin: a button's
// label stays inside its drop-down box however long it is, a row drawn again leaves nothing of
// the label it replaces, and a page's texts keep off the page's edge.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_painter_win32.h"
#include "app/page_painter_win32.h"
#include "app/settings_pages.h"
#include "config/function_catalogue.h"
#include "gfx/image_win32.h"
#include "gfx/skin_files.h"
#include "ui/main_fonts_win32.h"
#include "win32_test_support.h"

namespace gm {
namespace {

constexpr int kWidth = 520;  // the left column, the middle panel's start and the lists' place
constexpr int kHeight = 400;

class MainPicture : public ::testing::Test {
 protected:
  MainPicture() {
    state.UseLanguage(L"");
    state.textColour = {255, 255, 255};
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, kWidth, kHeight);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    font_ = CreateFontW(15, 0, 0, 0, 300, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Segoe UI");
  }
  ~MainPicture() override {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    DeleteObject(font_);
  }

  // The window's background with the side view's page open, as the left column draws it.
  void DrawPage() {
    const MainPainter painter(state, skin_, font_, font_);
    painter.Image(dc_, skin::kMain, 0, 0);
    painter.LeftColumnBackground(dc_);
    painter.Image(dc_, skin::kButtonAssignmentSide, 20, 127);
  }
  void DrawRow(int row) {
    const MainPainter painter(state, skin_, font_, font_);
    painter.ButtonRow(dc_, MouseView::Side, row, skin::kDropdownNormal);
  }
  std::vector<COLORREF> Pixels() const {
    std::vector<COLORREF> out;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) out.push_back(GetPixel(dc_, x, y));
    }
    return out;
  }
  // Pixels that differ between two pictures, outside the rectangle `inside`.
  static std::vector<std::string> Differences(const std::vector<COLORREF>& a,
                                              const std::vector<COLORREF>& b, const Rect& inside) {
    std::vector<std::string> out;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const std::size_t i = static_cast<std::size_t>(y * kWidth + x);
        if (a[i] != b[i] && !inside.Contains(x, y) && out.size() < 5) {
          out.push_back(std::to_string(x) + "," + std::to_string(y));
        }
      }
    }
    return out;
  }

  HDC dc() const { return dc_; }
  HFONT font() const { return font_; }

  AppState state;
  const FilePath skin_ = test::DefaultSkinFolder();  // the painter keeps a reference

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  HFONT font_ = nullptr;
};

TEST_F(MainPicture, LongLabelsStayInTheirBoxAndLeaveNothingBehind) {
  const std::wstring longLabels[] = {
      L"Macro Key-" + std::wstring(31, L'W'),
      L"Combo Key-Right Shift+Page Down+Scroll Lock",
      L"Macro Key-" + std::wstring(31, L'i'),
  };
  const int row = 3;  // button S4
  const Rect box{120, 129 + 20 * row, 250, 145 + 20 * row};

  DrawPage();
  state.labels[10] = L"";
  DrawRow(row);
  const std::vector<COLORREF> empty = Pixels();
  state.labels[10] = L"Copy";
  DrawRow(row);
  const std::vector<COLORREF> shortLabel = Pixels();

  for (const std::wstring& label : longLabels) {
    // Nothing of the label outside its box: not over the button's name, not past x = 250.
    state.labels[10] = label;
    DrawRow(row);
    EXPECT_EQ(Differences(empty, Pixels(), box), std::vector<std::string>{})
        << "label of " << label.size() << " characters";
    // A shorter label drawn in its place looks as if it had always been there.
    state.labels[10] = L"Copy";
    DrawRow(row);
    EXPECT_EQ(Differences(shortLabel, Pixels(), {}), std::vector<std::string>{});
  }
}

TEST_F(MainPicture, CatalogueTextsAreNeverCut) {
  // Every function text in every language stays in its box and never ends in "...": a
  // German or Russian text a few pixels too wide is drawn a little smaller instead.
  const int row = 1;
  const Rect box{120, 149, 250, 165};
  DrawPage();
  state.labels[8] = L"";
  DrawRow(row);
  const std::vector<COLORREF> empty = Pixels();
  for (Language language : {Language::English, Language::German, Language::Russian}) {
    for (const LocalisedText& text : kCategoryTexts) {
      const std::wstring label(InLanguage(text, language));
      state.labels[8] = label;
      DrawRow(row);
      const std::vector<COLORREF> drawn = Pixels();
      EXPECT_EQ(Differences(empty, drawn, box), std::vector<std::string>{}) << label.size();
      // The same label cut with "..." by the system looks different.
      state.labels[8] = L"";
      DrawRow(row);
      const MainPainter painter(state, skin_, font(), font());
      painter.Text(dc(), label, box, DT_CENTER | DT_END_ELLIPSIS);
      if (TextWidth(dc(), font(), label) > box.width()) {
        EXPECT_NE(Differences(drawn, Pixels(), {}), std::vector<std::string>{}) << label.size();
      }
    }
  }
}

TEST_F(MainPicture, LightingPageTextsKeepOffThePagesEdge) {
  // Nothing but the page itself within three pixels of its right edge: "100%" ends before it.
  HFONT small =
      CreateFontFromSpec(FontFor(FontUse::MainSmall, Language::English, false), ANSI_CHARSET);
  const MainPainter painter(state, skin_, font(), small);
  const auto size = gfx::ImageFileSize(skin_.Wide() + skin::kLightingPage);
  ASSERT_TRUE(size.has_value());
  const PagePlace place{20, 127, 262, static_cast<int>(size->cx)};
  const Rect edge{place.x + place.width - 4, place.y, place.x + place.width,
                  place.y + static_cast<int>(size->cy)};
  DrawPage();
  painter.Image(dc(), skin::kLightingPage, place.x, place.y);
  const std::vector<COLORREF> page = Pixels();
  PagePainter(painter).OpenPage(dc(), Page::Lighting, place);
  const std::vector<COLORREF> drawn = Pixels();
  std::vector<COLORREF> pageEdge, drawnEdge;
  for (int y = edge.top; y < edge.bottom; ++y) {
    for (int x = edge.left; x < edge.right; ++x) {
      pageEdge.push_back(page[static_cast<std::size_t>(y * kWidth + x)]);
      drawnEdge.push_back(drawn[static_cast<std::size_t>(y * kWidth + x)]);
    }
  }
  EXPECT_EQ(pageEdge, drawnEdge);
  // ... and whole: as many pixels of ink in its corner as "100%" drawn unclipped has.
  const auto ink = [&](const std::vector<COLORREF>& a, const std::vector<COLORREF>& b,
                       const Rect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        const std::size_t i = static_cast<std::size_t>(y * kWidth + x);
        n += a[i] != b[i] ? 1 : 0;
      }
    }
    return n;
  };
  const Rect corner{place.x + 208, place.y + 33, place.x + place.width, place.y + 48};
  DrawPage();
  painter.Image(dc(), skin::kLightingPage, place.x, place.y);
  painter.Text(dc(), L"100%", {place.x + 30, place.y + 60, place.x + 200, place.y + 75},
               DT_LEFT | DT_NOCLIP, small);
  const Rect free{place.x + 30, place.y + 60, place.x + 200, place.y + 75};
  EXPECT_EQ(ink(page, drawn, corner), ink(page, Pixels(), free));
  DeleteObject(small);
}

}  // namespace
}  // namespace gm
