// The names of every image the program draws from a skin folder. Each name starts with "/" and
// is appended to the skin folder. Drawing code takes its names from here (and nowhere else), so
// that the skin test can check that the default skin has every file the program may ask for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "gfx/geometry.h"
#include "platform/file_path.h"

namespace gm::skin {

// Main window.
inline constexpr wchar_t kMain[] = L"/main.png";
inline constexpr wchar_t kLogo[] = L"/Logo.png";
inline constexpr wchar_t kScrollTrack[] = L"/Bar1.png";
inline constexpr wchar_t kHelpNormal[] = L"/button-help-normal.png";
inline constexpr wchar_t kHelpOver[] = L"/button-help-over.png";
inline constexpr wchar_t kMinimiseNormal[] = L"/button-min-normal.png";
inline constexpr wchar_t kMinimiseOver[] = L"/button-min-over.png";
inline constexpr wchar_t kCloseNormal[] = L"/button-close-normal.png";
inline constexpr wchar_t kCloseOver[] = L"/button-close-over.png";
inline constexpr wchar_t kCancelNormal[] = L"/button-cancel-normal.png";  // Reset and Cancel
inline constexpr wchar_t kCancelOver[] = L"/button-cancel-over.png";
inline constexpr wchar_t kSaveNormal[] = L"/button-save-normal.png";
inline constexpr wchar_t kSaveOver[] = L"/button-save-over.png";
inline constexpr wchar_t kConfigNormal[] = L"/button-config-normal.png";
inline constexpr wchar_t kConfigOver[] = L"/button-config-over.png";
inline constexpr wchar_t kViewButtonSelected[] = L"/button-mouse-leave.png";
inline constexpr wchar_t kViewButtonNormal[] = L"/button-mouse-normal.png";
inline constexpr wchar_t kMouseFront[] = L"/Mouse/Front/MouseFront.png";
inline constexpr wchar_t kMouseSide[] = L"/Mouse/Side/MouseSide.png";
inline constexpr wchar_t kMainLeft[] = L"/BK_MainLeft.png";
inline constexpr wchar_t kMainMid[] = L"/BK_MainMid.png";
inline constexpr wchar_t kMainRight[] = L"/BK_MainRight.png";
inline constexpr wchar_t kHeader[] = L"/ItemBK.png";
inline constexpr wchar_t kMacroManagerHeader[] = L"/MacroManagementBK.png";

// Button assignment page.
inline constexpr wchar_t kButtonAssignmentFront[] = L"/ButtonAssignment/BK_ButtonAssignment.png";
inline constexpr wchar_t kButtonAssignmentSide[] =
    L"/ButtonAssignment/BK_ButtonAssignment-Side.png";
inline constexpr wchar_t kDropdownNormal[] = L"/ButtonAssignment/DropdownBox-normal.png";
inline constexpr wchar_t kDropdownOver[] = L"/ButtonAssignment/DropdownBox-over.png";
inline constexpr wchar_t kDropdownLeave[] = L"/ButtonAssignment/DropdownBox-leave.png";

// Settings pages.
inline constexpr wchar_t kXYSensitivityPage[] = L"/XYSensitivity/BK_XYSensSetting.png";
inline constexpr wchar_t kDpiPage[] = L"/DPISetting/BK_DPISetting.png";
inline constexpr wchar_t kLightingPage[] = L"/Lighting/BK_Lighting.png";
inline constexpr wchar_t kReportRatePage[] = L"/USBReportRate/BK_USBReportRate.png";
inline constexpr wchar_t kMouseSpeedPage[] = L"/MouseAttribute/BK_MouseAttribute.png";
inline constexpr wchar_t kScrollSpeedPage[] = L"/MouseAttribute/BK_ScrollSpeed.png";
inline constexpr wchar_t kAngleSnapPage[] = L"/AngleSnap/BK_AngleSnap.png";
inline constexpr wchar_t kGesturePage[] = L"/GestureCorrection/BK-GestureCorrection.png";
inline constexpr wchar_t kDpiValueBox[] = L"/DPISetting/BK-DPIValue.png";
inline constexpr wchar_t kEnable[] = L"/Enable.png";    // selected check box or radio button
inline constexpr wchar_t kDisable[] = L"/Disable.png";  // unselected check box or radio button
inline constexpr wchar_t kScrollRadioOn[] = L"/MouseAttribute/ScrollSpeed/Enable.png";
inline constexpr wchar_t kScrollRadioOff[] = L"/MouseAttribute/ScrollSpeed/Disable.png";
inline constexpr wchar_t kScrollLinesBox[] = L"/MouseAttribute/ScrollSpeed/ScrollLines.png";

// Numbered families; the ranges are every value the program can draw.
struct Range {
  int first;
  int last;
};
inline constexpr Range kDpiLevels{1, 120};            // DPI / 100
inline constexpr Range kLightingPositions{1, 6};      // 6: the right-most pixels of the slider
inline constexpr Range kSpeedPositions{1, 12};        // dial positions, 2..12 from clicks
inline constexpr Range kGesturePositions{1, 6};       // 6: the right-most pixels of the slider
inline constexpr Range kStageSliderPositions{1, 11};  // 11: the right-most pixels
inline constexpr int kReportRates[] = {1000, 500, 250, 125};

std::wstring DpiStage(int level);           // "/DPISetting/DPIStage/%d.png"
std::wstring LightingSlider(int position);  // "/Lighting/%d.png"
std::wstring ReportRateDial(int hertz);     // "/USBReportRate/%dHZ.png"
std::wstring SpeedDial(int position);       // "/MouseAttribute/Speed/%d.png"
std::wstring GestureSlider(int position);   // "/GestureCorrection/%d.png"
std::wstring StageSlider(int position);     // "/StageSlider/%d.png"

// Mouse picture parts. Every part image has the size of its view's picture and is drawn at the
// picture's place; it is opaque over its own part and transparent elsewhere, and the parts of a
// view do not overlap, so any part can be drawn in either look at any time, in any order.
// The back parts belong to the front view (they follow buttons 3 and 4).
enum class PartLook { Normal, Over };
inline constexpr int kFrontPartCount = 7;    // F-1 .. F-7: buttons 0-6
inline constexpr int kSidePartCount = 12;    // S-1 .. S-12: buttons 7-18
inline constexpr int kBackParts[] = {4, 5};  // B-4, B-5: buttons 3 and 4
inline constexpr Point kMouseFrontAt{362, 49};
inline constexpr Point kMouseSideAt{299, 117};

std::wstring FrontPart(int number, PartLook look);  // "/Mouse/Front/F-%d-normal.png"
std::wstring SidePart(int number, PartLook look);   // "/Mouse/Side/S-%d-normal.png"
std::wstring BackPart(int number, PartLook look);   // "/Mouse/Back/B-%d-normal.png"
// The part images that show button 0..18 (one, or two for buttons 3 and 4); empty otherwise.
std::vector<std::wstring> MousePartsOfButton(int button, PartLook look);

// Combination-key, single-key and macro picker dialogs.
inline constexpr wchar_t kComboKeyDialog[] = L"/combo-key.png";
inline constexpr wchar_t kSingleKeyDialog[] = L"/single-key.png";
inline constexpr wchar_t kMacroKeyDialog[] = L"/macro-key.png";
inline constexpr wchar_t kModeBoxOff[] = L"/Pane.png";
inline constexpr wchar_t kModeBoxOn[] = L"/PaneMakingTick.png";

// Macro manager.
inline constexpr wchar_t kMacroManagerDialog[] = L"/MacroManagement/MacroManagement.png";
inline constexpr wchar_t kMacroCloseNormal[] = L"/macro-button-close-normal.png";
inline constexpr wchar_t kMacroCloseOver[] = L"/macro-button-close-over.png";
inline constexpr wchar_t kRecordButton[] = L"/MacroManagement/Record-normal.png";
inline constexpr wchar_t kCheckBoxOff[] = L"/MacroManagement/Pane.png";
inline constexpr wchar_t kCheckBoxOn[] = L"/MacroManagement/PaneMakingTick.png";
inline constexpr wchar_t kSmallButtonNormal[] = L"/MacroManagement/button-new-normal.png";
inline constexpr wchar_t kSmallButtonOver[] = L"/MacroManagement/button-new-over.png";
inline constexpr wchar_t kWideButtonNormal[] = L"/MacroManagement/button-cancel-normal.png";
inline constexpr wchar_t kWideButtonOver[] = L"/MacroManagement/button-cancel-over.png";

// Profile manager and help window.
inline constexpr wchar_t kConfigDialog[] = L"/Config/Config.png";
inline constexpr wchar_t kNewConfigIcon[] = L"/Config/New-Config.png";
inline constexpr wchar_t kHelpWindow[] = L"/Help/HelpWindow.png";

// Every name above, each family in full: what a complete skin must provide.
std::vector<std::wstring> AllSkinFiles();

// The skin folder: the program's folder, "/Skins/" and the caption file's `Path` value, joined
// as text, so that a value with a leading slash or backslash stays inside the program's folder.
FilePath SkinFolder(const FilePath& program, std::wstring_view path);

// The skin that ships with the program.
inline constexpr wchar_t kDefaultSkin[] = L"Default";

// The skin folder the main window draws from: the caption file's `Path` when that folder has
// the window's background as a whole PNG, else the shipped Default skin, so that a missing,
// emptied or damaged caption file, or a truncated background, still gives the window its face.
// `fellBack` says that the named skin could not be used; `damaged` that its background is
// there but cannot be drawn.
struct SkinChoice {
  FilePath folder;
  bool fellBack = false;
  bool damaged = false;
};
SkinChoice ChooseSkinFolder(const FilePath& program, std::wstring_view path);

}  // namespace gm::skin
