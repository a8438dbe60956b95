#include "config/function_catalogue.h"

namespace gm {

// Texts exactly as the program shows them; several German ones end in a blank.
const std::array<LocalisedText, kCategoryCount> kCategoryTexts = {{
    {L"Click", L"左键", L"左鍵", L"linke Taste", L"Клик"},
    {L"Menu", L"右键", L"右鍵", L"rechte Taste", L"Меню"},
    {L"Universal Scroll", L"中键", L"中鍵", L"mittlere Taste", L"Универ. Скролл"},
    {L"IE Forward", L"前进方向键", L"前進方向鍵", L"vorwärts-Taste", L"IE Вперед"},
    {L"IE Backward", L"后退方向键", L"後退方向鍵", L"zurück-Taste", L"IE Назад"},
    {L"Double Click", L"双击", L"双击", L"Doppelklicken", L"Двойной Клик"},
    {L"CPI Cycle", L"DPI切换", L"DPI切換", L"DPI-Umschalter", L"CPI Цикл"},
    {L"Multimedia", L"多媒体", L"多媒體", L"Medien", L"Мультимедиа"},
    {L"HotKey", L"快捷键", L"快速鍵", L"Tastenkombination", L"Горячие Клавиши"},
    {L"Windows", L"Windows", L"Windows", L"Windows", L"Windows"},
    {L"Single Key", L"单键", L"單鍵", L"Einzel Taste ", L"Одиночная Клавиша"},
    {L"Combo Key", L"组合键", L"複合鍵", L"Combo Taste ", L"Комбо Клавиша"},
    {L"Macro Key", L"宏", L"巨集", L"Makro Taste ", L"Макро Клавиша"},
    {L"Button Off", L"按键关闭", L"按鍵關閉", L"Abschalten Taste ", L"Кнопка Выкл"},
    {L"Left Title Scroll", L"左摇摆滚轮", L"左搖擺滾輪", L"Linke Schwenkwalze",
     L"Пролистать Слева"},
    {L"Right Title Scroll", L"右摇摆滚轮", L"右搖擺滾輪", L"Rechte Schwenkwalze",
     L"Пролистать Справа"},
}};

std::wstring_view CategoryText(std::uint8_t category, Language language) {
  if (category >= kCategoryCount) return {};
  return InLanguage(kCategoryTexts[category], language);
}

const std::array<std::wstring_view, kDpiListSize> kDpiList = {L"DPI +", L"DPI -", L"DPI Loop"};

const std::array<LocalisedText, kMediaListSize> kMediaList = {{
    {L"Media player", L"多媒体播放器", L"多媒體播放器", L"Multimedia-player", L"Медиаплеер"},
    {L"Next Track", L"下一首", L"下一首", L"Nächster Lied ", L"Следующая Дорожка"},
    {L"Pre Track", L"上一首", L"上一首", L"Vorhergehende Lied ", L"Предыдущая Дорожка"},
    {L"Stop", L"停止", L"停止", L"Aufhören ", L"Стоп"},
    {L"Play/Pause", L"播放/暂停", L"播放/暫停", L"Spielen/Pause ", L"Играть/Пауза"},
    {L"Mute", L"静音", L"靜音", L"Stumm ", L"Без Звука"},
    {L"Volume Up", L"音量+", L"音量+", L"Volume +", L"Громче"},
    {L"Volume Down", L"音量-", L"音量-", L"Volume -", L"Тише"},
}};

const std::array<LocalisedText, kHotKeyListSize> kHotKeyList = {{
    {L"New", L"新建", L"新建", L"Neu", L"Новый"},
    {L"Cut", L"剪切", L"剪切", L"Scheren", L"Вырезать"},
    {L"Copy", L"复制", L"複製", L"Kopie ", L"Копировать"},
    {L"Paste", L"粘贴", L"粘貼", L"Stock", L"Вставить"},
    {L"Save", L"保存", L"保存", L"Sparen", L"Сохранить"},
    {L"Print", L"打印", L"列印", L"Drucken", L"Печать"},
    {L"Find", L"查找", L"查找", L"Suche", L"Найти"},
    {L"Redo", L"重复", L"重複", L"Wiederholen ", L"Вперед"},
    {L"Undo", L"撤销", L"撤銷", L"Widerruf", L"Назад"},
    {L"Select All", L"全选", L"全選", L"Alle auswählen", L"Выбрать Все"},
}};

const std::array<LocalisedText, kWindowsListSize> kWindowsList = {{
    {L"My computer", L"我的电脑", L"我的電腦", L"Mein Computer", L"Мой компьютер"},
    {L"Browser-Home", L"浏览器-主页", L"瀏覽器-主頁", L"Browser-Startseite", L"Главная"},
    {L"Search", L"搜索", L"搜索", L"Suche", L"Поиск"},
    {L"Maximum", L"最大化", L"最大化", L"Maximieren", L"Максимум"},
    {L"Minimum", L"最小化", L"最小化", L"Minimieren ", L"Минимум"},
    {L"Show desktop", L"显示桌面", L"顯示桌面", L"Desktop anzeigen", L"Показать Рабочий Стол"},
    {L"Run", L"运行", L"運行", L"Laufen", L"Поехали"},
}};

const LocalisedText kLeftKeyMustBeSelected = {
    L"Left key must be selected!", L"左键功能必须选择！", L"左鍵功能必須選擇！",
    L"Linke Taste Funktion muss ausgewählt werden!", L"Левая Клавиша Должна Быть назначена!"};

}  // namespace gm
