// The 79 texts of the main window in the language of the session: headers, labels, balloon
// texts, the tray menu item and, in the last slot, the INI section of the button captions.
// Filled once at start-up from tables built into the program; nothing is read from files.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/language.h"

namespace gm {

inline constexpr std::size_t kLanguageSlotCount = 79;

// Slots by what they show (numbered from 1).
namespace slot {
inline constexpr std::size_t kTitle = 1;  // notification-area tip
inline constexpr std::size_t kReset = 2;
inline constexpr std::size_t kCancel = 3;
inline constexpr std::size_t kSave = 4;
inline constexpr std::size_t kConfig = 5;
inline constexpr std::size_t kFront = 6;
inline constexpr std::size_t kSide = 7;
inline constexpr std::size_t kButtonAssignment = 8;
inline constexpr std::size_t kMacroManager = 9;
inline constexpr std::size_t kXYSensitivity = 10;
inline constexpr std::size_t kDpiSetting = 11;
inline constexpr std::size_t kLighting = 12;
inline constexpr std::size_t kReportRate = 13;
inline constexpr std::size_t kMouseSpeed = 14;
inline constexpr std::size_t kDoubleClickSpeed = 15;
inline constexpr std::size_t kScrollSpeed = 16;
inline constexpr std::size_t kAngleSnap = 17;
inline constexpr std::size_t kGestureCorrection = 18;
inline constexpr std::size_t kXAxis = 19;
inline constexpr std::size_t kYAxis = 20;
inline constexpr std::size_t kFirstButtonName = 21;  // 21-39: buttons 0-18
inline constexpr std::size_t kDpiPlus = 40;
inline constexpr std::size_t kDpiMinus = 41;
inline constexpr std::size_t kSlow = 42;
inline constexpr std::size_t kFast = 43;
inline constexpr std::size_t kNumberOfRows = 44;
inline constexpr std::size_t kScrollOneScreen = 45;
inline constexpr std::size_t kFirstCategory = 46;  // 46-61: see kCategoryOfSlot
inline constexpr std::size_t kStandard = 62;
inline constexpr std::size_t kRespiration = 63;
inline constexpr std::size_t kNeon = 64;
inline constexpr std::size_t kOn = 65;
inline constexpr std::size_t kOff = 66;
inline constexpr std::size_t kLeftKeyMustBeSelected = 67;
inline constexpr std::size_t kFirstDpiStageBalloon = 68;  // 68-74: stages 1-7
inline constexpr std::size_t kMacroKeyBalloon = 75;
inline constexpr std::size_t kExit = 76;
inline constexpr std::size_t kMouseNotDetected = 77;
inline constexpr std::size_t kMouseDetected = 78;
inline constexpr std::size_t kCaptionSection = 79;
}  // namespace slot

// Slots 46-61 hold the category texts in this order of categories.
inline constexpr std::array<std::uint8_t, 16> kCategoryOfSlot = {0, 1,  2,  3, 4, 14, 15, 5,
                                                                 6, 10, 13, 7, 9, 8,  11, 12};

class LanguageTable {
 public:
  LanguageTable();  // English until filled

  // Slot 1-79; any other number gives an empty text.
  const std::wstring& operator[](std::size_t slot) const;
  Language language() const { return language_; }

 private:
  friend void FillLanguageTable(LanguageTable& table, std::wstring_view code);

  std::array<std::wstring, kLanguageSlotCount> slots_;
  Language language_ = Language::English;
};

// Fills every slot from the table of the language code: "CHS", "CHT", "GER", "RUS" (exact,
// case-sensitive); anything else selects English.
void FillLanguageTable(LanguageTable& table, std::wstring_view code);

}  // namespace gm
