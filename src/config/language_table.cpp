#include "config/language_table.h"

#include "config/function_catalogue.h"
#include "config/records.h"

namespace gm {
namespace {

struct FixedText {
  std::size_t slot;
  LocalisedText texts;  // English, Simplified Chinese, Traditional Chinese, German, Russian
};

// Every slot except the button names (21-39), the category texts (46-61) and the caption
// section (79), exactly as shown; several texts end in a blank that belongs to them.
const FixedText kFixedTexts[] = {
    {1,
     {L"QUILLON QL-GM900 Gaming Mouse", L"QUILLON QL-GM900 Gaming Mouse",
      L"QUILLON QL-GM900 Gaming Mouse", L"QUILLON QL-GM900 Gaming Mouse", L"Периферическое"}},
    {2, {L"Reset", L"恢复", L"恢復", L"Wiederherstellen", L"Сбросить"}},
    {3, {L"Cancel", L"取消", L"取消", L"Abbrechen", L"Отмена"}},
    {4, {L"Save", L"保存", L"保存", L"Sparen", L"Сохр"}},
    {5, {L"Config", L"配置", L"配置", L"Konfiguration", L"Настройка"}},
    {6, {L"Front", L"正面", L"正面", L"Front", L"Спереди"}},
    {7, {L"Side", L"侧面", L"側面", L"Seite", L"Сбоку"}},
    {8, {L"Button Assignment", L"按钮分配", L"按鈕分配", L"Tastenbelegung", L"Назначение Кнопки"}},
    {9, {L"Macro Manager", L"宏管理器", L"宏管理器", L"Makro-Manager", L"Макро Менеджер"}},
    {10,
     {L"X/Y Sensitivity Setting", L"X/Y轴设置", L"X/Y軸設置", L"Die Einstellungen der X/Y-Achse",
      L"X/Y Настройка Чувствительности"}},
    {11, {L"DPI Setting", L"DPI 设置", L"DPI 設置", L"DPI-Einstellung", L"DPI Настройка"}},
    {12, {L"Lighting", L"照明", L"照明", L"Beleuchtung", L"Свет"}},
    {13,
     {L"USB Report Rate", L"USB输出报告率", L"USB輸出報告率", L"USB-Ausgang Bericht Rate",
      L"USB Частота"}},
    {14, {L"Mouse Speed", L"鼠标速度", L"滑鼠移動速度", L"Mausgeschwindigkeit", L"Скорость Мышки"}},
    {15,
     {L"Double Click Speed", L"双击速度", L"滑鼠雙擊速度", L"Doppelklickgeschwindigkeit",
      L"Скорость Двойного Нажатия"}},
    {16,
     {L"Scroll Speed", L"鼠标滚轮速度", L"滑鼠滾動速度", L"Scrollrad Geschwindigkeit",
      L"Скорость Прокрутки"}},
    {17, {L"Angle Snap", L"角度捕捉", L"角度捕捉", L"Winkelfang", L"Угол"}},
    {18,
     {L"Gesture Correction", L"手势修正", L"手勢修正", L"Gesture Korrektur", L"Коррекция Знака"}},
    {19, {L"X axis", L"X轴", L"X軸", L"X-Achse", L"X ось"}},
    {20, {L"Y axis", L"Y轴", L"Y軸", L"Y-Achse", L"Y ось"}},
    {40, {L"DPI +", L"DPI +", L"DPI +", L"DPI +", L"DPI +"}},
    {41, {L"DPI -", L"DPI -", L"DPI -", L"DPI -", L"DPI -"}},
    {42, {L"Slow", L"慢", L"慢", L"Langsam", L"Медл"}},
    {43, {L"Fast", L"快", L"快", L"Schnell", L"Быстро"}},
    {44,
     {L"The number of rows", L"一次滚动行数", L"一次滾動行數", L"Mäuserolle Nummer",
      L"Количество строк"}},
    {45,
     {L"Scroll one screen", L"一次滚动一个屏幕", L"一次滾動一個螢幕",
      L"ein Bildlauf für eine gesamte Vollbild-Seite nach oben / unten ", L"Прокрутить экран"}},
    {62, {L"Standard", L"标准模式", L"標準模式", L"Standard", L"Стандарт"}},
    {63, {L"Respiration", L"呼吸模式", L"呼吸模式", L"Atem", L"Респирация"}},
    {64, {L"Neon", L"霓虹模式", L"霓虹模式", L"Neon", L"Неон"}},
    {65, {L"On", L"开启", L"開啟", L"Öffnen ", L"Вкл"}},
    {66, {L"Off", L"关闭", L"關閉", L"Schließen ", L"Выкл"}},
    {67,
     {L"Left key must be selected!", L"左键功能必须选择！", L"左鍵功能必須選擇！",
      L"Linke Taste Funktion muss ausgewählt werden!", L"Левая Клавиша Должна Быть назначена!"}},
    {68,
     {L"Switch DPI into the first stage ", L"DPI切换到第一段 ", L"DPI切換到第一段 ",
      L"DPI-Schalter auf der ersten Stufe ", L"Переключить DPI на первый уровень"}},
    {69,
     {L"Switch DPI into the second stage ", L"DPI切换到第二段 ", L"DPI切換到第二段 ",
      L"DPI-Schalter auf der zweiten Stufe ", L"Переключить DPI на второй уровень"}},
    {70,
     {L"Switch DPI into the third stage ", L"DPI切换到第三段 ", L"DPI切換到第三段 ",
      L"DPI-Schalter auf der dritten Stufe ", L"Переключить DPI на третий уровень"}},
    {71,
     {L"Switch DPI into the fourth stage ", L"DPI切换到第四段 ", L"DPI切換到第四段 ",
      L"DPI-Schalter auf der vierten Stufe ", L"Переключить DPI на четвертый уровень"}},
    {72,
     {L"Switch DPI into the fifth stage ", L"DPI切换到第五段 ", L"DPI切換到第五段 ",
      L"DPI-Schalter auf der fünften Stufe ", L"Переключить DPI на пятый уровень"}},
    {73,
     {L"Switch DPI into the sixth stage ", L"DPI切换到第六段 ", L"DPI切換到第六段 ",
      L"DPI-Schalter auf der sechsten Stufe ", L"Переключить DPI на шестой уровень"}},
    {74,
     {L"Switch DPI into the seventh stage ", L"DPI切换到第七段 ", L"DPI切換到第七段 ",
      L"DPI-Schalter auf der siebten Stufe ", L"Переключить DPI на седьмой уровень"}},
    {75,
     {L"Switch to macro key", L"切换到宏", L"切換到巨集", L"Wechseln zu Makro ",
      L"Переключить на макро клавишу"}},
    {76, {L"Exit", L"退出", L"退出", L"Aussteigen ", L"Выход"}},
    {77,
     {L"The system did not detect the gaming mouse!", L"系统没有检测到游戏鼠标！",
      L"系統沒有檢測到遊戲滑鼠！", L"Das System erkennt nicht die Gaming-Maus!",
      L"Система не определила игровую мышь!"}},
    {78,
     {L"The system detect the gaming mouse.", L"系统检测到游戏鼠标。", L"系統檢測到遊戲滑鼠。",
      L"Das System erkennt die Gaming-Maus!", L"Система определила игровую мышь."}},
};

// Button names: the word of the language, the separator, then "1".."7" and "S1".."S12".
struct ButtonWord {
  std::wstring_view word;
  std::wstring_view separator;
};
constexpr ButtonWord kButtonWords[kLanguageCount] = {
    {L"Button", L" "}, {L"按钮", L""}, {L"按鈕", L""}, {L"Taste", L""}, {L"Кнопка", L" "}};

std::wstring ButtonSuffix(std::size_t button) {
  return button < 7 ? std::to_wstring(button + 1) : L"S" + std::to_wstring(button - 6);
}

}  // namespace

LanguageTable::LanguageTable() {
  FillLanguageTable(*this, L"");
}

const std::wstring& LanguageTable::operator[](std::size_t slot) const {
  static const std::wstring kNone;
  return slot >= 1 && slot <= kLanguageSlotCount ? slots_[slot - 1] : kNone;
}

void FillLanguageTable(LanguageTable& table, std::wstring_view code) {
  const Language language = LanguageFromCode(code);
  table.language_ = language;
  const std::size_t column = LanguageIndex(language);
  for (const FixedText& text : kFixedTexts) table.slots_[text.slot - 1] = text.texts[column];
  const ButtonWord& word = kButtonWords[column];
  for (std::size_t button = 0; button < kButtonCount; ++button) {
    table.slots_[slot::kFirstButtonName - 1 + button] =
        std::wstring(word.word) + std::wstring(word.separator) + ButtonSuffix(button);
  }
  for (std::size_t i = 0; i < kCategoryOfSlot.size(); ++i) {
    table.slots_[slot::kFirstCategory - 1 + i] = CategoryText(kCategoryOfSlot[i], language);
  }
  table.slots_[slot::kCaptionSection - 1] = CaptionSection(language);
}

}  // namespace gm
