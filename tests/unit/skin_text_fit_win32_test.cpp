// Every text that is drawn over an image of the default skin, in every language, measured with
// the program's own fonts against the plain surface it lands on. The images are drawn as the
// program draws them (the background first, then the control's image at its place) and the
// surface is found on the text's middle row: the run of pixels of the colour under the text's
// centre. A text's ink must lie inside that run with a margin on both sides, so that it neither
// spills over the image's edge nor touches its border or anything else drawn on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/assignment_page_win32.h"
#include "app/main_clicks.h"
#include "app/main_painter_win32.h"
#include "app/settings_pages.h"
#include "buttons/assignment_menus.h"
#include "buttons/combo_dialog_model.h"
#include "buttons/single_dialog_model.h"
#include "config/function_catalogue.h"
#include "config/language_table.h"
#include "gfx/image_win32.h"
#include "gfx/skin_files.h"
#include "help/help_panel.h"
#include "macro/macro_manager.h"
#include "macro/macro_manager_texts.h"
#include "macro/macro_picker.h"
#include "macro/macro_picker_texts.h"
#include "profiles/config_dialog_win32.h"
#include "ui/dialog_picture_win32.h"
#include "ui/main_fonts.h"
#include "ui/main_fonts_win32.h"

namespace gm {
namespace {

constexpr int kMargin = 3;     // free pixels between a text and the edge of its surface
constexpr int kTolerance = 6;  // colour steps of one surface (anti-aliasing of gradients)

constexpr Language kLanguages[] = {Language::English, Language::ChineseSimplified,
                                   Language::ChineseTraditional, Language::German,
                                   Language::Russian};

constexpr std::wstring_view kCodes[] = {L"EN", L"CHS", L"CHT", L"GER", L"RUS"};

std::wstring SkinFolder() {
  std::wstring folder;
  for (const char* c = GM_SKIN_DIR; *c != 0; ++c) folder.push_back(static_cast<wchar_t>(*c));
  return folder;
}

std::string Utf8(std::wstring_view text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

struct Placed {
  const wchar_t* image;
  int x, y;
};

// A window-sized picture with the images of one control drawn on it, and the font of its texts.
class Scene {
 public:
  Scene(int width, int height, std::vector<Placed> images, const FontSpec& font, BYTE charset)
      : font_(CreateFontFromSpec(font, charset)) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    for (const Placed& p : images) {
      EXPECT_TRUE(gfx::DrawSkinImage(dc_, SkinFolder() + p.image, p.x, p.y)) << Utf8(p.image);
    }
    oldFont_ = SelectObject(dc_, font_);
  }
  ~Scene() {
    SelectObject(dc_, oldFont_);
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    DeleteObject(font_);
  }
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  int Width(std::wstring_view text) const {
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
  }

  // The text drawn centred in (or, with left, from the left edge of) the rectangle must lie on
  // one surface with the margin on both sides; a clipped text must also lie inside its
  // rectangle, which the drawing cuts it to.
  void ExpectFits(std::wstring_view text, const Rect& rect, const char* what, bool left = false,
                  bool clipped = false) const {
    const int width = Width(text);
    const int placed = left ? rect.left : rect.left + (rect.width() - width) / 2;
    // The ink: the advance widths less the first glyph's space before it and the last one's
    // after it (negative for a glyph that reaches out).
    ABC first{}, last{};
    const UINT a = text.front(), z = text.back();
    if (!GetCharABCWidthsW(dc_, a, a, &first)) first = {};
    if (!GetCharABCWidthsW(dc_, z, z, &last)) last = {};
    const int textLeft = placed + first.abcA;
    const int textRight = placed + width - last.abcC;
    const int row = (rect.top + rect.bottom) / 2;
    const int middle = (textLeft + textRight) / 2;
    const COLORREF surface = GetPixel(dc_, middle, row);
    const auto same = [&](int x) {
      const COLORREF c = GetPixel(dc_, x, row);
      return c != CLR_INVALID && std::abs(GetRValue(c) - GetRValue(surface)) <= kTolerance &&
             std::abs(GetGValue(c) - GetGValue(surface)) <= kTolerance &&
             std::abs(GetBValue(c) - GetBValue(surface)) <= kTolerance;
    };
    int from = middle;
    while (same(from - 1)) --from;
    int to = middle + 1;
    while (same(to)) ++to;
    EXPECT_TRUE(from + kMargin <= textLeft && textRight + kMargin <= to)
        << what << " \"" << Utf8(text) << "\": text " << textLeft << ".." << textRight << " ("
        << width << " px), surface " << from << ".." << to;
    if (clipped) {
      EXPECT_TRUE(rect.left <= placed && placed + width <= rect.right)
          << what << " \"" << Utf8(text) << "\": " << width << " px cut to " << rect.left << ".."
          << rect.right;
    }
  }

  // A page's label as the program draws it: in the font FontToFit gives it for its rectangle,
  // never cut.
  void ExpectLabelFits(const std::wstring& text, const Rect& rect, const char* what,
                       UINT format) const {
    HFONT fitted = FontToFit(dc_, font_, text, rect, format);
    const HGDIOBJ old = SelectObject(dc_, fitted);
    ExpectFits(text, rect, what, format == DT_LEFT, true);
    SelectObject(dc_, old);
    if (fitted != font_) DeleteObject(fitted);
  }

  // A text wrapped at word breaks in the rectangle, its block centred on the rectangle's
  // middle, must stay between the heights `top` and `bottom`.
  void ExpectWrappedFits(std::wstring_view text, const Rect& rect, int top, int bottom,
                         const char* what) const {
    RECT measured{rect.left, rect.top, rect.right, rect.top};
    DrawTextW(dc_, text.data(), static_cast<int>(text.size()), &measured,
              DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    const int block = measured.bottom - measured.top;
    const int blockTop = rect.top + (rect.height() - block) / 2;
    EXPECT_TRUE(top <= blockTop && blockTop + block <= bottom)
        << what << " \"" << Utf8(text) << "\" wraps to " << blockTop << ".." << blockTop + block;
    EXPECT_LE(measured.right, rect.right) << what << " \"" << Utf8(text) << "\"";
  }

  HDC dc() const { return dc_; }
  HFONT font() const { return font_; }

 private:
  HFONT font_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
};

FontSpec MainFont(Language language) {
  return FontFor(FontUse::MainWindow, language, false);
}

std::vector<std::wstring_view> RowBoxCaptions(Language language) {
  std::vector<std::wstring_view> out;
  for (const LocalisedText& text : kCategoryTexts) out.push_back(InLanguage(text, language));
  for (std::wstring_view text : kDpiList) out.push_back(text);
  for (const LocalisedText& text : kMediaList) out.push_back(InLanguage(text, language));
  for (const LocalisedText& text : kHotKeyList) out.push_back(InLanguage(text, language));
  for (const LocalisedText& text : kWindowsList) out.push_back(InLanguage(text, language));
  return out;
}

TEST(SkinTextFit, ButtonRowCaptionsInEveryLookOfTheDropDownBox) {
  for (Language language : kLanguages) {
    for (const wchar_t* look : {skin::kDropdownNormal, skin::kDropdownOver, skin::kDropdownLeave}) {
      const Scene scene(262, 400, {{skin::kButtonAssignmentSide, 20, 127}, {look, 120, 129}},
                        MainFont(language), ANSI_CHARSET);
      for (std::wstring_view caption : RowBoxCaptions(language)) {
        scene.ExpectFits(caption, {120, 129, 250, 145}, "row box");
      }
      // The button names beside the boxes stay clear of their wider ends.
      LanguageTable texts;
      FillLanguageTable(texts, kCodes[LanguageIndex(language)]);
      for (std::size_t b = 0; b < 19; ++b) {
        scene.ExpectFits(texts[slot::kFirstButtonName + b], {31, 129, 115, 145}, "button name");
      }
    }
  }
}

TEST(SkinTextFit, DpiValuesUpToFiveDigitsInEveryStage) {
  const Scene scene(
      1000, 300,
      [] {
        std::vector<Placed> images{
            {skin::kMain, 0, 0}, {skin::kMainRight, 734, 32}, {skin::kDpiPage, 734, 52}};
        for (std::size_t k = 0; k < 7; ++k) {
          images.push_back({skin::kDpiValueBox, DpiValueBox(k).left, 226});
        }
        return images;
      }(),
      FontFor(FontUse::MainSmall, Language::English, false), ANSI_CHARSET);
  for (std::size_t k = 0; k < 7; ++k) {
    for (int level : {1, 9, 10, 99, 100, 118, 120}) {
      scene.ExpectFits(DpiValueText(static_cast<std::uint8_t>(level)), DpiValueBox(k), "DPI value");
    }
  }
}

TEST(SkinTextFit, MainWindowButtonsAndHeaders) {
  for (Language language : kLanguages) {
    LanguageTable texts;
    FillLanguageTable(texts, kCodes[LanguageIndex(language)]);
    const Scene scene(1000, 650,
                      {{skin::kMain, 0, 0},
                       {skin::kCancelNormal, kResetButton.left, kResetButton.top},
                       {skin::kCancelNormal, kCancelButton.left, kCancelButton.top},
                       {skin::kSaveNormal, kSaveButton.left, kSaveButton.top},
                       {skin::kConfigNormal, kConfigButton.left, kConfigButton.top},
                       {skin::kViewButtonSelected, kFrontViewButton.left, kFrontViewButton.top},
                       {skin::kViewButtonNormal, kSideViewButton.left, kSideViewButton.top},
                       {skin::kHeader, 734, 32},
                       {skin::kMacroManagerHeader, 20, 132}},
                      MainFont(language), ANSI_CHARSET);
    scene.ExpectFits(texts[slot::kReset], kResetButton, "Reset");
    scene.ExpectFits(texts[slot::kCancel], kCancelButton, "Cancel");
    scene.ExpectFits(texts[slot::kSave], kSaveButton, "Save");
    scene.ExpectFits(texts[slot::kConfig],
                     {43, kConfigButton.top, kConfigButton.right, kConfigButton.bottom}, "Config",
                     true);
    scene.ExpectFits(texts[slot::kFront], kFrontViewButton, "Front");
    scene.ExpectFits(texts[slot::kSide], kSideViewButton, "Side");
    for (std::size_t s = slot::kButtonAssignment; s <= slot::kGestureCorrection; ++s) {
      if (s == slot::kMacroManager) {
        scene.ExpectFits(texts[s], {30, 132, 262, 170}, "header", true);
      } else {
        scene.ExpectFits(texts[s], {744, 32, 976, 52}, "header", true);
      }
    }
  }
}

TEST(SkinTextFit, LabelsOfTheSettingsPages) {
  // The right column's pages at the lighting page's place, the X/Y page at the left column's.
  const PagePlace right{734, 52, 976, 242};
  const PagePlace left{20, 195, 262, 242};
  for (Language language : kLanguages) {
    LanguageTable texts;
    FillLanguageTable(texts, kCodes[LanguageIndex(language)]);
    const FontSpec font = MainFont(language);
    {
      std::vector<Placed> images{{skin::kMain, 0, 0},
                                 {skin::kMainRight, 734, 32},
                                 {skin::kLightingPage, right.x, right.y}};
      for (int r = 0; r < kLightingRows; ++r) {
        images.push_back(
            {skin::kDisable, LightingModeRadio(right, r).left, LightingModeRadio(right, r).top});
      }
      const std::wstring slider = skin::LightingSlider(3);
      for (int r = 0; r < kLightingRows; ++r) {
        images.push_back(
            {slider.c_str(), LightingSlider(right, r).left, LightingSlider(right, r).top});
      }
      const Scene scene(1000, 650, images, font, ANSI_CHARSET);
      const std::size_t modes[] = {slot::kStandard, slot::kRespiration, slot::kNeon};
      for (int r = 0; r < kLightingRows; ++r) {
        scene.ExpectLabelFits(texts[modes[r]], LightingModeLabel(right, r), "lighting mode",
                              DT_LEFT);
      }
    }
    {
      const std::wstring dial = skin::SpeedDial(7);
      const Rect d = SpeedDial(right);
      const Scene scene(1000, 650,
                        {{skin::kMain, 0, 0},
                         {skin::kMainRight, 734, 32},
                         {skin::kMouseSpeedPage, right.x, right.y},
                         {dial.c_str(), d.left, d.top}},
                        font, ANSI_CHARSET);
      scene.ExpectLabelFits(texts[slot::kSlow], SpeedSlowLabel(right), "speed", DT_CENTER);
      scene.ExpectLabelFits(texts[slot::kFast], SpeedFastLabel(right), "speed", DT_CENTER);
    }
    {
      const Rect rows = ScrollRowsRadio(right);
      const Rect screen = ScrollOneScreenRadio(right);
      const Rect lines = ScrollLinesBox(right);
      const Scene scene(1000, 650,
                        {{skin::kMain, 0, 0},
                         {skin::kMainRight, 734, 32},
                         {skin::kScrollSpeedPage, right.x, right.y},
                         {skin::kScrollRadioOn, rows.left, rows.top},
                         {skin::kScrollRadioOff, screen.left, screen.top},
                         {skin::kScrollLinesBox, lines.left, lines.top}},
                        font, ANSI_CHARSET);
      scene.ExpectLabelFits(texts[slot::kNumberOfRows], ScrollRowsLabel(right), "scroll rows",
                            DT_LEFT);
      // Between the lines box above and the page's bottom edge.
      const auto page = gfx::ImageFileSize(SkinFolder() + skin::kScrollSpeedPage);
      ASSERT_TRUE(page.has_value());
      scene.ExpectWrappedFits(texts[slot::kScrollOneScreen], ScrollOneScreenLabel(right),
                              lines.bottom + 1, right.y + static_cast<int>(page->cy) - 2,
                              "scroll one screen");
    }
    {
      const Rect on = AngleSnapOnRadio(right);
      const Rect off = AngleSnapOffRadio(right);
      const Scene scene(1000, 650,
                        {{skin::kMain, 0, 0},
                         {skin::kMainRight, 734, 32},
                         {skin::kAngleSnapPage, right.x, right.y},
                         {skin::kEnable, on.left, on.top},
                         {skin::kDisable, off.left, off.top}},
                        font, ANSI_CHARSET);
      scene.ExpectLabelFits(texts[slot::kOn], AngleSnapOnLabel(right), "angle snap", DT_LEFT);
      scene.ExpectLabelFits(texts[slot::kOff], AngleSnapOffLabel(right), "angle snap", DT_LEFT);
    }
    {
      const std::wstring slider = skin::StageSlider(5);
      const Scene scene(1000, 650,
                        {{skin::kMain, 0, 0},
                         {skin::kMainLeft, 20, 107},
                         {skin::kXYSensitivityPage, left.x, left.y},
                         {slider.c_str(), SensitivitySlider(left, Axis::X).left,
                          SensitivitySlider(left, Axis::X).top},
                         {slider.c_str(), SensitivitySlider(left, Axis::Y).left,
                          SensitivitySlider(left, Axis::Y).top}},
                        font, ANSI_CHARSET);
      scene.ExpectLabelFits(texts[slot::kXAxis], SensitivityLabel(left, Axis::X), "axis", DT_LEFT);
      scene.ExpectLabelFits(texts[slot::kYAxis], SensitivityLabel(left, Axis::Y), "axis", DT_LEFT);
    }
  }
}

TEST(SkinTextFit, ItemsOfTheButtonMenusInTheirLists) {
  // Real list boxes as the menus make them, in the program's font and width: every item's text
  // lies inside its item, and every item is seen without scrolling.
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1000, 650, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(parent, nullptr);
  for (Language language : kLanguages) {
    HFONT font = CreateFontFromSpec(MainFont(language), ANSI_CHARSET);
    struct Menu {
      std::vector<std::wstring> items;
      Rect rect;
      const char* what;
    };
    const std::vector<std::wstring> functions = FunctionListItems(language);
    const int itemHeight = MenuItemHeight(font);
    const Rect area = FunctionListArea(11, MenuListWidth(font, functions), itemHeight);
    std::vector<Menu> menus{{functions, area, "function list"}};
    const Rect item6{0, 6 * itemHeight, area.width() - 2, 7 * itemHeight};
    for (SubList list : {SubList::Dpi, SubList::Media, SubList::HotKey, SubList::Windows}) {
      const std::vector<std::wstring> items = SubListItems(list, language);
      menus.push_back({items,
                       SubListRect(list, area, item6, MenuListWidth(font, items), itemHeight),
                       "sub-list"});
    }
    for (const Menu& menu : menus) {
      HWND box = CreateWindowExW(
          0, L"LISTBOX", L"", WS_CHILD | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
          menu.rect.left, menu.rect.top, menu.rect.width(), menu.rect.height(), parent, nullptr,
          GetModuleHandleW(nullptr), nullptr);
      ASSERT_NE(box, nullptr);
      SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      for (const std::wstring& item : menu.items) {
        SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
      }
      RECT client{};
      GetClientRect(box, &client);
      HDC dc = GetDC(box);
      const HGDIOBJ old = SelectObject(dc, font);
      for (std::size_t i = 0; i < menu.items.size(); ++i) {
        RECT item{};
        SendMessageW(box, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
        SIZE size{};
        GetTextExtentPoint32W(dc, menu.items[i].c_str(), static_cast<int>(menu.items[i].size()),
                              &size);
        // The list draws the text a pixel or two in from the item's left edge.
        EXPECT_LE(item.left + 2 + size.cx + 1, std::min(item.right, client.right))
            << menu.what << " \"" << Utf8(menu.items[i]) << "\" (" << size.cx << " px) in "
            << client.right << " px";
        EXPECT_LE(item.bottom, client.bottom) << menu.what << " item " << i << " below the list";
        // The last item ends the list: no empty band under the items (a smaller font).
        if (i + 1 == menu.items.size()) {
          EXPECT_EQ(item.bottom, client.bottom)
              << menu.what << " ends " << client.bottom - item.bottom << " px below its last item";
        }
      }
      SelectObject(dc, old);
      ReleaseDC(box, dc);
      DestroyWindow(box);
    }
    DeleteObject(font);
  }
  DestroyWindow(parent);
}

TEST(SkinTextFit, MacroManagerHeadingsAndButtons) {
  using namespace manager_layout;
  for (Language language : kLanguages) {
    const MacroManagerTexts texts = MacroManagerTextsFor(language);
    const Scene scene(490, 432,
                      {{skin::kMacroManagerDialog, 0, 0},
                       {skin::kRecordButton, kRecord.left, kRecord.top},
                       {skin::kSmallButtonNormal, kNew.left, kNew.top},
                       {skin::kSmallButtonNormal, kDelete.left, kDelete.top},
                       {skin::kWideButtonNormal, kOk.left, kOk.top},
                       {skin::kWideButtonNormal, kCancel.left, kCancel.top}},
                      FontFor(FontUse::MacroManager, language, false), DEFAULT_CHARSET);
    scene.ExpectFits(texts.selectMacro, kHeadings[0], "heading");
    scene.ExpectFits(texts.keyPressSequence, kHeadings[1], "heading");
    scene.ExpectFits(texts.recordOption, kHeadings[2], "heading");
    scene.ExpectFits(texts.startRecording, kRecord, "record button");
    scene.ExpectFits(texts.stopRecording, kRecord, "record button");
    scene.ExpectFits(texts.newButton, kNew, "New");
    scene.ExpectFits(texts.deleteButton, kDelete, "Delete");
    scene.ExpectFits(texts.ok, kOk, "OK");
    scene.ExpectFits(texts.cancel, kCancel, "Cancel");
  }
}

TEST(SkinTextFit, ButtonsOfTheKeyDialogsThePickerAndTheHelpPanel) {
  for (Language language : kLanguages) {
    {
      const SingleDialogTexts texts = SingleDialogTextsFor(language);
      const Scene scene(
          400, 300,
          {{skin::kSingleKeyDialog, 0, 0},
           {skin::kWideButtonNormal, kSingleOkButton.left, kSingleOkButton.top},
           {skin::kWideButtonNormal, kSingleCancelButton.left, kSingleCancelButton.top}},
          FontFor(FontUse::SingleKey, language, false), DEFAULT_CHARSET);
      scene.ExpectFits(texts.ok, kSingleOkButton, "single key OK");
      scene.ExpectFits(texts.cancel, kSingleCancelButton, "single key Cancel");
    }
    {
      const ComboDialogTexts texts = ComboDialogTextsFor(language);
      const Scene scene(
          400, 300,
          {{skin::kComboKeyDialog, 0, 0},
           {skin::kSmallButtonNormal, kComboOkButton.left, kComboOkButton.top},
           {skin::kSmallButtonNormal, kComboCancelButton.left, kComboCancelButton.top}},
          FontFor(FontUse::ComboKey, language, false), DEFAULT_CHARSET);
      scene.ExpectFits(texts.ok, kComboOkButton, "combination key OK");
      scene.ExpectFits(texts.cancel, kComboCancelButton, "combination key Cancel");
    }
    {
      using namespace picker_layout;
      const MacroPickerTexts& texts = MacroPickerTextsFor(language);
      const Scene scene(400, 300,
                        {{skin::kMacroKeyDialog, 0, 0},
                         {skin::kSmallButtonNormal, kOk.left, kOk.top},
                         {skin::kSmallButtonNormal, kCancel.left, kCancel.top}},
                        FontFor(FontUse::MacroPicker, language, false), DEFAULT_CHARSET);
      scene.ExpectFits(texts.ok, kOk, "macro picker OK");
      scene.ExpectFits(texts.cancel, kCancel, "macro picker Cancel");
    }
    {
      const HelpTexts texts = HelpTextsFor(language);
      const Scene scene(166, 77, {{skin::kHelpWindow, 0, 0}},
                        FontFor(FontUse::Help, language, false), DEFAULT_CHARSET);
      scene.ExpectFits(texts.link, kHelpLinkBand, "help link");
      scene.ExpectFits(texts.update, kHelpUpdateBand, "help update");
      scene.ExpectFits(texts.version, kHelpVersionBand, "help version");
    }
  }
}

TEST(SkinTextFit, ProfileNamesKeepTheirUnderscores) {
  // A list box draws a line's text from the line's top: every pixel of ink of "Profile_3",
  // drawn on a large white surface, lies within the line height with a free row below it (the
  // underscore at the bottom was cut away by 14-pixel lines).
  for (std::size_t k = 0; k < std::size(kLanguages); ++k) {
    HFONT font = CreateFontFor(FontUse::ProfileManager, kLanguages[k]);
    const int line = ProfileLineHeight(font);
    constexpr int kSize = 80;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kSize, kSize);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    const RECT all{0, 0, kSize, kSize};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 1, 0, L"Profile_3", 9);
    int lowest = -1;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        if (GetRValue(GetPixel(dc, x, y)) < 128) lowest = y;
      }
    }
    EXPECT_GE(lowest, 0) << "no ink";
    EXPECT_LT(lowest + 1, line) << "ink on row " << lowest << " of " << line << "-pixel lines in "
                                << Utf8(kCodes[k]);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DeleteObject(font);
  }
}

}  // namespace
}  // namespace gm
