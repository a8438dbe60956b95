#include "macro/macro_picker_texts.h"

namespace gm {
namespace {

// English, Simplified Chinese, Traditional Chinese, German, Russian.
const std::array<MacroPickerTexts, kLanguageCount> kPickerTexts = {{
    {{L"Repeat a specified number of times or press any key to end",
      L"Repeat until press any key to end", L"Repeat until the key is released"},
     L"Ok",
     L"Cancel",
     L"Please select a macro"},
    {{L"重复指定次数或按任意键结束", L"重复直到按任意键结束", L"重复直到该按键松开结束"},
     L"确定",
     L"取消",
     L"请从列表框选择一个宏"},
    {{L"重複指定次數或按任意鍵結束", L"重複直到按任意鍵結束", L"重複直到該按鍵鬆開結束"},
     L"確定",
     L"取消",
     L"請從清單方塊選擇一個巨集"},
    {{L"Wiederholt eine festgelegte Anzahl von Wiederholungen oder drücken Sie eine beliebige "
      L"Taste um zu beenden.",
      L"Wiederholen Sie, bis Sie eine beliebige Taste, um zu beenden drücken.",
      L"Wiederholen, bis die Taste mehr als freigegeben."},
     L"Bestätigen",
     L"Abbrechen",
     L"Bitte wählen Sie ein Makro aus dem Listenfeld."},
    {{L"Повторите указанное число \nнесколько раз или нажмите \nлюбую клавишу для \nзавершения",
      L"Повторяйте до нажатия \nкнопки для завершения", L"Повторяйте до выбора \nклавиши"},
     L"Ок",
     L"Отмена",
     L"Установите макро"},
}};

}  // namespace

const MacroPickerTexts& MacroPickerTextsFor(Language language) {
  return kPickerTexts[LanguageIndex(language) < kLanguageCount ? LanguageIndex(language) : 0];
}

}  // namespace gm
