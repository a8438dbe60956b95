#include "ui/main_fonts.h"

#include <algorithm>
#include <array>

namespace gm {
namespace {

struct Face {
  const wchar_t* face;
  int height;
  int weight;
};

struct FontRow {
  FontUse use;
  Face latin;         // English, German and Russian
  Face traditional;   // Traditional Chinese
  Face simplified62;  // Simplified Chinese when the system reports version 6.2
  Face simplified;    // Simplified Chinese on other versions
};

constexpr wchar_t kHei[] = L"黑体";
constexpr wchar_t kSong[] = L"宋体";

// clang-format off
constexpr std::array<FontRow, 8> kFonts{{
    // use                    Latin                   Traditional      Simplified 6.2   Simplified
    {FontUse::MainWindow,     {L"Segoe UI", 15, 300}, {kHei, 14, 400}, {kHei, 13, 400}, {kSong, 13, 400}},
    {FontUse::MainSmall,      {L"Arial", 12, 0},      {L"Arial", 12, 0}, {L"Arial", 12, 0}, {L"Arial", 12, 0}},
    {FontUse::MacroManager,   {L"Segoe UI", 15, 700}, {kHei, 14, 400}, {kHei, 13, 400}, {kSong, 13, 400}},
    {FontUse::MacroPicker,    {L"Arial", 14, 400},    {kHei, 14, 400}, {kHei, 13, 400}, {kSong, 13, 400}},
    {FontUse::ProfileManager, {L"Arial", 14, 400},    {kHei, 14, 400}, {kHei, 13, 400}, {kSong, 13, 400}},
    {FontUse::Help,           {L"Arial", 14, 400},    {kHei, 14, 400}, {kSong, 13, 400}, {kSong, 13, 400}},
    {FontUse::SingleKey,      {L"Segoe UI", 15, 400}, {kHei, 14, 0},   {kHei, 13, 0},   {kSong, 13, 0}},
    {FontUse::ComboKey,       {L"Arial", 14, 0},      {kHei, 14, 0},   {kHei, 13, 400}, {kSong, 13, 0}},
}};
// clang-format on

}  // namespace

FontSpec FontFor(FontUse use, Language language, bool windows62) {
  const auto found = std::find_if(kFonts.begin(), kFonts.end(),
                                  [use](const FontRow& row) { return row.use == use; });
  const FontRow& row = found != kFonts.end() ? *found : kFonts.front();
  Face face = row.latin;
  switch (language) {
    case Language::ChineseSimplified:
      face = windows62 ? row.simplified62 : row.simplified;
      break;
    case Language::ChineseTraditional:
      face = row.traditional;
      break;
    case Language::English:
    case Language::German:
    case Language::Russian:
      break;
  }
  return {face.face, face.height, face.weight};
}

}  // namespace gm
