// The names the program draws from a skin, and the default skin built from skin/: every name
// is there as a PNG, at a size that fits the place the program draws it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "gfx/skin_files.h"
#include "platform/file_ops.h"
#include "png_probe.h"
#include "png_writer.h"
#include "temp_dir.h"

namespace gm::skin {
namespace {

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out.push_back(static_cast<char>(c));
  return out;
}

std::optional<test::PngHeader> SkinPng(const std::wstring& name) {
  return test::ReadPngHeader(std::string(GM_SKIN_DIR) + Narrow(name));
}

int Height(const std::wstring& name) {
  auto png = SkinPng(name);
  return png ? static_cast<int>(png->height) : 1 << 20;
}

TEST(SkinFiles, ButtonsMapToTheirMousePictureParts) {
  using V = std::vector<std::wstring>;
  EXPECT_EQ(MousePartsOfButton(0, PartLook::Over), V{L"/Mouse/Front/F-1-over.png"});
  EXPECT_EQ(MousePartsOfButton(3, PartLook::Normal),
            (V{L"/Mouse/Front/F-4-normal.png", L"/Mouse/Back/B-4-normal.png"}));
  EXPECT_EQ(MousePartsOfButton(4, PartLook::Over),
            (V{L"/Mouse/Front/F-5-over.png", L"/Mouse/Back/B-5-over.png"}));
  EXPECT_EQ(MousePartsOfButton(7, PartLook::Normal), V{L"/Mouse/Side/S-1-normal.png"});
  EXPECT_EQ(MousePartsOfButton(18, PartLook::Over), V{L"/Mouse/Side/S-12-over.png"});
  EXPECT_TRUE(MousePartsOfButton(19, PartLook::Over).empty());
  EXPECT_TRUE(MousePartsOfButton(-1, PartLook::Over).empty());
}

// A Path value with a leading separator must not throw the program's folder away.
TEST(SkinFiles, SkinFolderStaysBesideTheProgram) {
  test::TempDir dir;
  std::filesystem::create_directories(dir / "Skins" / "Default");
  test::WriteBytes(dir / "Skins" / "Default" / "main.png", {1});
  const std::filesystem::path program = dir / "QL-GM900.exe";
  std::vector<std::wstring> values = {L"Default", L"/Default"};
#ifdef _WIN32
  values.push_back(L"\\Default");
#endif
  for (const std::wstring& value : values) {
    const FilePath folder = SkinFolder(program, value);
    EXPECT_TRUE(IsRegularFile(folder.Wide() + kMain)) << folder.Utf8();
  }
}

TEST(SkinFiles, ASkinThatCannotBeDrawnGivesWayToTheShippedOne) {
  test::TempDir dir;
  std::filesystem::create_directories(dir / "Skins" / "Default");
  std::filesystem::create_directories(dir / "Skins" / "Blue");
  std::filesystem::create_directories(dir / "Skins" / "Empty");
  std::filesystem::create_directories(dir / "Skins" / "Odd" / "main.png");  // a folder
  const std::vector<std::uint8_t> png =
      test::EncodePng({2, 2, 2, std::vector<std::uint8_t>(12, 5), {}, {}});
  test::WriteBytes(dir / "Skins" / "Default" / "main.png", png);
  test::WriteBytes(dir / "Skins" / "Blue" / "main.png", png);
  std::filesystem::create_directories(dir / "Skins" / "Cut");
  test::WriteBytes(dir / "Skins" / "Cut" / "main.png",
                   std::vector<std::uint8_t>(png.begin(), png.end() - 20));
  const std::filesystem::path program = dir / "QL-GM900.exe";
  const FilePath shipped = SkinFolder(program, L"Default");
  const SkinChoice blue = ChooseSkinFolder(program, L"Blue");
  EXPECT_EQ(blue.folder, SkinFolder(program, L"Blue"));
  EXPECT_FALSE(blue.fellBack);
  EXPECT_FALSE(ChooseSkinFolder(program, L"Default").fellBack);
  // Path empty (or missing), a folder that is not there, one without the window's background,
  // one whose background is cut short (damaged).
  for (const wchar_t* path : {L"", L"Gone", L"Empty", L"Odd", L"\x01\x02garbage", L"Cut"}) {
    const SkinChoice choice = ChooseSkinFolder(program, path);
    EXPECT_EQ(choice.folder, shipped) << Narrow(path);
    EXPECT_TRUE(choice.fellBack) << Narrow(path);
    EXPECT_EQ(choice.damaged, std::wstring_view(path) == L"Cut") << Narrow(path);
  }
}

TEST(SkinFiles, FamiliesAreNamedAsTheSkinFolderHasThem) {
  EXPECT_EQ(DpiStage(120), L"/DPISetting/DPIStage/120.png");
  EXPECT_EQ(ReportRateDial(125), L"/USBReportRate/125HZ.png");
  EXPECT_EQ(SpeedDial(12), L"/MouseAttribute/Speed/12.png");
  EXPECT_EQ(StageSlider(11), L"/StageSlider/11.png");
  const std::vector<std::wstring> all = AllSkinFiles();
  EXPECT_EQ(std::set<std::wstring>(all.begin(), all.end()).size(), all.size()) << "duplicates";
  for (const std::wstring& name : all) {
    EXPECT_EQ(name.front(), L'/') << Narrow(name);
    EXPECT_TRUE(name.ends_with(L".png")) << Narrow(name);
  }
}

TEST(DefaultSkin, HasEveryFileTheProgramDrawsAsAPng) {
  for (const std::wstring& name : AllSkinFiles()) {
    auto png = SkinPng(name);
    ASSERT_TRUE(png) << Narrow(name) << " is missing or not a PNG";
    EXPECT_EQ(png->bitDepth, 8) << Narrow(name);
    EXPECT_TRUE(png->colourType == 2 || png->colourType == 6) << Narrow(name);
  }
  auto thumb = test::ReadPngHeader(std::string(GM_RES_DIR) + "/scroll-thumb.png");
  ASSERT_TRUE(thumb);
  EXPECT_EQ(thumb->width, 8u);
  EXPECT_EQ(thumb->height, 114u);
  EXPECT_EQ(thumb->colourType, 6) << "the thumb needs alpha";
}

struct Fit {
  const wchar_t* name;
  unsigned minWidth, minHeight, maxWidth, maxHeight;
};

TEST(DefaultSkin, ImagesFitThePlacesTheyAreDrawnAt) {
  const Fit fits[] = {
      {kMain, 995, 635, 1100, 720},  // reaches the close button and the bottom buttons
      {kHeader, 242, 20, 242, 20},
      {kMacroManagerHeader, 242, 38, 242, 38},
      {kHelpNormal, 15, 15, 15, 15},
      {kCancelNormal, 120, 30, 120, 30},
      {kSaveOver, 57, 30, 57, 30},
      {kConfigNormal, 120, 30, 120, 30},
      {kViewButtonSelected, 62, 29, 62, 29},
      {kDropdownLeave, 130, 16, 130, 16},  // rows are 20 apart
      {kScrollTrack, 7, 563, 8, 563},
      {kDpiValueBox, 25, 11, 25, 11},
      {kEnable, 9, 9, 10, 10},
      {kScrollLinesBox, 50, 14, 50, 14},  // box and both arrows
      {L"/DPISetting/DPIStage/60.png", 7, 127, 7, 127},
      {L"/Lighting/6.png", 128, 8, 128, 9},
      {L"/GestureCorrection/1.png", 155, 11, 155, 11},
      {L"/StageSlider/11.png", 208, 9, 208, 9},
      {L"/USBReportRate/250HZ.png", 128, 128, 128, 128},
      {L"/MouseAttribute/Speed/2.png", 142, 83, 142, 83},
      {kModeBoxOn, 16, 16, 16, 16},
      {kCheckBoxOff, 14, 14, 14, 14},
      {kComboKeyDialog, 372, 275, 420, 320},
      {kSingleKeyDialog, 384, 275, 420, 320},
      {kMacroKeyDialog, 390, 286, 420, 320},  // the drop list reaches y = 286
      {kMacroManagerDialog, 478, 422, 540, 480},
      {kConfigDialog, 263, 598, 263, 598},
      {kHelpWindow, 166, 77, 166, 77},
  };
  for (const Fit& fit : fits) {
    auto png = SkinPng(fit.name);
    ASSERT_TRUE(png) << Narrow(fit.name);
    EXPECT_GE(png->width, fit.minWidth) << Narrow(fit.name);
    EXPECT_GE(png->height, fit.minHeight) << Narrow(fit.name);
    EXPECT_LE(png->width, fit.maxWidth) << Narrow(fit.name);
    EXPECT_LE(png->height, fit.maxHeight) << Narrow(fit.name);
  }
}

TEST(DefaultSkin, PagesFitTheirColumns) {
  // Scrolled right column: headers R4..R8 from y = 32, all five pages open, 5 pixels apart.
  const int scrolled = 32 + 5 * 20 + 4 * 5 + 2 * Height(kMouseSpeedPage) +
                       Height(kScrollSpeedPage) + Height(kAngleSnapPage) + Height(kGesturePage);
  EXPECT_LE(scrolled, 595);
  // Left column with the side view's twelve rows and X/Y sensitivity open: above the buttons.
  const int left =
      107 + 20 + Height(kButtonAssignmentSide) + 5 + 38 + 5 + 20 + Height(kXYSensitivityPage);
  EXPECT_LE(left, 600);
  // Twelve rows of 20 pixels start 2 pixels into the page.
  EXPECT_GE(Height(kButtonAssignmentSide), 2 + 12 * 20);
  EXPECT_GE(Height(kButtonAssignmentFront), 2 + 7 * 20);
  // DPI page: controls down to the colour swatches at y = 275 from its top at 52.
  EXPECT_GE(Height(kDpiPage), 275 - 52);
  for (const wchar_t* page :
       {kDpiPage, kLightingPage, kReportRatePage, kMouseSpeedPage, kScrollSpeedPage, kAngleSnapPage,
        kGesturePage, kXYSensitivityPage, kButtonAssignmentFront, kButtonAssignmentSide})
    EXPECT_EQ(SkinPng(page)->width, 242u) << Narrow(page);
}

TEST(DefaultSkin, MousePicturesStayInTheMiddlePanelAndPartsMatchThem) {
  auto front = SkinPng(kMouseFront);
  auto side = SkinPng(kMouseSide);
  ASSERT_TRUE(front && side);
  EXPECT_LE(kMouseFrontAt.x + static_cast<int>(front->width), 734);
  EXPECT_LE(kMouseFrontAt.y + static_cast<int>(front->height), 527);  // the view buttons
  EXPECT_LE(kMouseSideAt.x + static_cast<int>(side->width), 734);
  EXPECT_LE(kMouseSideAt.y + static_cast<int>(side->height), 527);
  for (PartLook look : {PartLook::Normal, PartLook::Over}) {
    for (int button = 0; button < kFrontPartCount + kSidePartCount; ++button) {
      const auto& picture = button < kFrontPartCount ? front : side;
      for (const std::wstring& part : MousePartsOfButton(button, look)) {
        auto png = SkinPng(part);
        ASSERT_TRUE(png) << Narrow(part);
        EXPECT_EQ(png->width, picture->width) << Narrow(part);
        EXPECT_EQ(png->height, picture->height) << Narrow(part);
      }
    }
  }
}

}  // namespace
}  // namespace gm::skin
