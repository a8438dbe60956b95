#include "gfx/skin_files.h"

#include "gfx/png_header.h"
#include "platform/file_ops.h"
#include "platform/file_replace.h"

namespace gm::skin {
namespace {

// Larger than any window background; a bigger file is not read.
constexpr std::size_t kLargestBackground = 64u << 20;

std::wstring Numbered(const wchar_t* prefix, int number, const wchar_t* suffix) {
  return prefix + std::to_wstring(number) + suffix;
}

const wchar_t* LookSuffix(PartLook look) {
  return look == PartLook::Over ? L"-over.png" : L"-normal.png";
}

void AddRange(std::vector<std::wstring>& out, Range range, std::wstring (*name)(int)) {
  for (int n = range.first; n <= range.last; ++n) out.push_back(name(n));
}

}  // namespace

std::wstring DpiStage(int level) {
  return Numbered(L"/DPISetting/DPIStage/", level, L".png");
}
std::wstring LightingSlider(int position) {
  return Numbered(L"/Lighting/", position, L".png");
}
std::wstring ReportRateDial(int hertz) {
  return Numbered(L"/USBReportRate/", hertz, L"HZ.png");
}
std::wstring SpeedDial(int position) {
  return Numbered(L"/MouseAttribute/Speed/", position, L".png");
}
std::wstring GestureSlider(int position) {
  return Numbered(L"/GestureCorrection/", position, L".png");
}
std::wstring StageSlider(int position) {
  return Numbered(L"/StageSlider/", position, L".png");
}

std::wstring FrontPart(int number, PartLook look) {
  return Numbered(L"/Mouse/Front/F-", number, LookSuffix(look));
}
std::wstring SidePart(int number, PartLook look) {
  return Numbered(L"/Mouse/Side/S-", number, LookSuffix(look));
}
std::wstring BackPart(int number, PartLook look) {
  return Numbered(L"/Mouse/Back/B-", number, LookSuffix(look));
}

std::vector<std::wstring> MousePartsOfButton(int button, PartLook look) {
  std::vector<std::wstring> parts;
  if (button >= 0 && button < kFrontPartCount) {
    parts.push_back(FrontPart(button + 1, look));
    for (int back : kBackParts)
      if (back == button + 1) parts.push_back(BackPart(back, look));
  } else if (button >= kFrontPartCount && button < kFrontPartCount + kSidePartCount) {
    parts.push_back(SidePart(button - kFrontPartCount + 1, look));
  }
  return parts;
}

std::vector<std::wstring> AllSkinFiles() {
  std::vector<std::wstring> all = {kMain,
                                   kLogo,
                                   kScrollTrack,
                                   kHelpNormal,
                                   kHelpOver,
                                   kMinimiseNormal,
                                   kMinimiseOver,
                                   kCloseNormal,
                                   kCloseOver,
                                   kCancelNormal,
                                   kCancelOver,
                                   kSaveNormal,
                                   kSaveOver,
                                   kConfigNormal,
                                   kConfigOver,
                                   kViewButtonSelected,
                                   kViewButtonNormal,
                                   kMouseFront,
                                   kMouseSide,
                                   kMainLeft,
                                   kMainMid,
                                   kMainRight,
                                   kHeader,
                                   kMacroManagerHeader,
                                   kButtonAssignmentFront,
                                   kButtonAssignmentSide,
                                   kDropdownNormal,
                                   kDropdownOver,
                                   kDropdownLeave,
                                   kXYSensitivityPage,
                                   kDpiPage,
                                   kLightingPage,
                                   kReportRatePage,
                                   kMouseSpeedPage,
                                   kScrollSpeedPage,
                                   kAngleSnapPage,
                                   kGesturePage,
                                   kDpiValueBox,
                                   kEnable,
                                   kDisable,
                                   kScrollRadioOn,
                                   kScrollRadioOff,
                                   kScrollLinesBox,
                                   kComboKeyDialog,
                                   kSingleKeyDialog,
                                   kMacroKeyDialog,
                                   kModeBoxOff,
                                   kModeBoxOn,
                                   kMacroManagerDialog,
                                   kMacroCloseNormal,
                                   kMacroCloseOver,
                                   kRecordButton,
                                   kCheckBoxOff,
                                   kCheckBoxOn,
                                   kSmallButtonNormal,
                                   kSmallButtonOver,
                                   kWideButtonNormal,
                                   kWideButtonOver,
                                   kConfigDialog,
                                   kNewConfigIcon,
                                   kHelpWindow};
  AddRange(all, kDpiLevels, DpiStage);
  AddRange(all, kLightingPositions, LightingSlider);
  AddRange(all, kSpeedPositions, SpeedDial);
  AddRange(all, kGesturePositions, GestureSlider);
  AddRange(all, kStageSliderPositions, StageSlider);
  for (int hertz : kReportRates) all.push_back(ReportRateDial(hertz));
  for (PartLook look : {PartLook::Normal, PartLook::Over}) {
    for (int n = 1; n <= kFrontPartCount; ++n) all.push_back(FrontPart(n, look));
    for (int n = 1; n <= kSidePartCount; ++n) all.push_back(SidePart(n, look));
    for (int n : kBackParts) all.push_back(BackPart(n, look));
  }
  return all;
}

FilePath SkinFolder(const FilePath& program, std::wstring_view path) {
  return FilePath(program.Parent().Wide() + L"/Skins/" + std::wstring(path));
}

SkinChoice ChooseSkinFolder(const FilePath& program, std::wstring_view path) {
  bool damaged = false;
  if (!path.empty()) {
    FilePath named = SkinFolder(program, path);
    const FilePath background(named.Wide() + kMain);
    if (IsRegularFile(background)) {
      const std::optional<std::vector<std::uint8_t>> bytes =
          ReadWholeFile(background, kLargestBackground);
      if (bytes && gfx::PngStreamComplete(*bytes)) return {std::move(named), false, false};
      damaged = true;
    }
  }
  return {SkinFolder(program, kDefaultSkin), true, damaged};
}

}  // namespace gm::skin
