#include "config/setting_ranges.h"

#include <algorithm>
#include <array>

#include "config/function_catalogue.h"
#include "config/key_codes.h"

namespace gm {
namespace {

enum class Reach { Mouse, Desktop, Program, Lighting };

// A run of one-byte settings that share a range.
struct RangeRow {
  int offset;
  int count;
  std::uint8_t first;
  std::uint8_t last;
  Reach reach;
};

// The sliders' right end is a position of its own (6 on the lighting and gesture sliders, 11
// on the sensitivity ones) that the window stores like any other.
constexpr std::array<RangeRow, 17> kRows = {{
    {kFirstRunFlagOffset, 1, 0, 1, Reach::Program},
    {rec::kReportRateCode, 1, 1, 8, Reach::Mouse},  // 1, 2, 4 or 8: see SettingInRange
    {rec::kDpiStages, kDpiStageCount, 1, 120, Reach::Mouse},
    {rec::kStageEnabled, kDpiStageCount, 0, 1, Reach::Mouse},
    {rec::kLightingMode, 1, 1, 3, Reach::Mouse},
    {rec::kBrightness, 1, 1, 6, Reach::Lighting},
    {rec::kRespirationPeriod, 1, 1, 6, Reach::Lighting},
    {rec::kNeonPeriod, 1, 1, 6, Reach::Lighting},
    {rec::kPointerPrecision, 1, 0, 1, Reach::Desktop},
    {rec::kScrollOneScreen, 1, 0, 1, Reach::Desktop},
    {rec::kPointerSpeed, 1, 1, 12, Reach::Desktop},
    {rec::kWheelLines, 1, 1, 100, Reach::Desktop},
    {rec::kDoubleClickSpeed, 1, 1, 12, Reach::Desktop},
    {rec::kAngleSnap, 1, 0, 1, Reach::Mouse},
    {rec::kGestureCorrection, 1, 1, 6, Reach::Mouse},
    {rec::kXSensitivity, 1, 1, 11, Reach::Mouse},
    {rec::kYSensitivity, 1, 1, 11, Reach::Mouse},
}};

const RangeRow* RowOf(int offset) {
  for (const RangeRow& row : kRows) {
    if (offset >= row.offset && offset < row.offset + row.count) return &row;
  }
  return nullptr;
}

template <typename List>
bool Holds(const List& list, std::uint8_t value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

// Exactly one bit, or none.
bool AtMostOneBit(std::uint8_t bits) {
  return (bits & (bits - 1)) == 0;
}

}  // namespace

bool SettingInRange(int offset, std::uint8_t byte) {
  const RangeRow* row = RowOf(offset);
  if (row == nullptr) return true;
  if (offset == static_cast<int>(rec::kReportRateCode)) {
    return byte == 1 || byte == 2 || byte == 4 || byte == 8;
  }
  return byte >= row->first && byte <= row->last;
}

bool FunctionInRange(const SettingsRecord& record, std::size_t b) {
  const auto field = [&](ButtonField f) { return record.button(f, b); };
  const std::uint8_t category = field(ButtonField::Category);
  switch (static_cast<FunctionCategory>(category)) {
    case FunctionCategory::CpiCycle:
      return field(ButtonField::DpiAction) >= 1 && field(ButtonField::DpiAction) <= kDpiListSize;
    case FunctionCategory::Multimedia:
      return Holds(kMediaUsages, field(ButtonField::MediaUsage));
    case FunctionCategory::HotKey:
      return Holds(kHotKeyLetters, field(ButtonField::HotKeyLetter));
    case FunctionCategory::Windows:
      return field(ButtonField::WindowsAction) < kWindowsListSize;
    case FunctionCategory::SingleKey:
      return IsNamedKeyOrNone(field(ButtonField::SingleKey));
    case FunctionCategory::ComboKey:
      return AtMostOneBit(field(ButtonField::ComboModifier)) &&
             IsNamedKeyOrNone(field(ButtonField::ComboKey1)) &&
             IsNamedKeyOrNone(field(ButtonField::ComboKey2));
    case FunctionCategory::MacroKey:
      return field(ButtonField::MacroNumber) < kMacroCount && field(ButtonField::MacroMode) < 3;
    default:
      return category < kCategoryCount;
  }
}

std::vector<RangeFault> RangeFaults(std::uint8_t firstRunFlag, const SettingsRecord& record) {
  std::vector<RangeFault> faults;
  // Only the period of the lighting mode in use is sent; a mode outside 1-3 sends none.
  const int lit = static_cast<int>(rec::kBrightness) + record.at(rec::kLightingMode) - 1;
  for (const RangeRow& row : kRows) {
    for (int offset = row.offset; offset < row.offset + row.count; ++offset) {
      const std::uint8_t byte = offset == kFirstRunFlagOffset
                                    ? firstRunFlag
                                    : record.at(static_cast<std::size_t>(offset));
      if (SettingInRange(offset, byte)) continue;
      const bool sent =
          row.reach == Reach::Mouse || (row.reach == Reach::Lighting && offset == lit);
      faults.push_back({offset, kButtonCount, sent});
    }
  }
  bool click = false;
  for (std::size_t b = 0; b < kButtonCount; ++b) {
    click =
        click || record.button(ButtonField::Category, b) == CategoryValue(FunctionCategory::Click);
    if (!FunctionInRange(record, b)) {
      faults.push_back({static_cast<int>(ButtonField::Category) + static_cast<int>(b), b, true});
    }
  }
  if (!click) faults.push_back({0, kButtonCount, true, true});
  return faults;
}

}  // namespace gm
