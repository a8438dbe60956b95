#include "macro/macro_manager_texts.h"

#include <array>

#include "config/function_catalogue.h"

namespace gm {
namespace {

// In the order of the fields; texts exactly as shown, trailing blanks included.
const std::array<LocalisedText, 20> kTexts = {{
    // ok
    {L"OK", L"确定", L"確定", L"Bestätigen", L"Ок"},
    // cancel
    {L"Cancel", L"取消", L"取消", L"Abbrechen", L"Отмена"},
    // title
    {L"Macro Manager", L"宏管理器", L"巨集管理器", L"Makro-Manager", L"Макро Менеджер"},
    // selectMacro
    {L"Select Macro", L"选择宏", L"選擇巨集", L"Wählen das Makro", L"Выбрать Макро"},
    // keyPressSequence
    {L"Key Press Sequence", L"按鍵序列", L"按鍵序列", L"Tastenfolge", L"Чувствительность"},
    // recordOption
    {L"Record Option", L"录制选项", L"錄製選項", L"Rekord-Option", L"Опция Записи"},
    // delayOption
    {L"Record delays between key commands", L"记录按键动作间的延迟", L"記錄按鍵動作間的延遲",
     L"Verzögerung zwischen Aufnahme Tastatureingaben", L"Запись задержек между командами"},
    // loopOption
    {L"Loop Times", L"循环次数", L"迴圈次數", L"Zyklus Frequenz", L"Время \nЦиклов"},
    // newButton
    {L"New", L"新建", L"新建", L"Neu", L"Новый"},
    // deleteButton
    {L"Delete", L"刪除", L"刪除", L"löschen", L"Удалить"},
    // newMacroBase
    {L"Macro", L"宏", L"巨集", L"Macros", L"Макро"},
    // startRecording
    {L"Start Recording", L"开始录制", L"開始錄製", L"Aufnahme Starten", L"Начать Запись"},
    // stopRecording
    {L"Stop Recording", L"停止录制", L"停止錄製", L"Aufnahme Beenden", L"Стоп Запись"},
    // recordingWindowText
    {L"Press Ctrl+Break key to stop recording", L"按 Ctrl+Break 停止录制", L"按Ctrl+Break 停止錄製",
     L"Drücken Sie Strg + Pause die Aufnahme zu stoppen können.",
     L"Нажмите Ctrl+Break клавиши для остановки записи"},
    // insertLeftButton
    {L"Insert the left Button", L"插入鼠标左键", L"插入滑鼠左鍵", L"Legen Sie die linke Taste.",
     L"Вставить левую Кнопку"},
    // insertMiddleButton
    {L"Insert the middle Button", L"插入鼠标中键", L"插入滑鼠中鍵",
     L"Legen Sie die mittlere Taste.", L"Вставить среднюю Кнопку"},
    // insertRightButton
    {L"Insert the right button", L"插入鼠标右键", L"插入滑鼠右鍵", L"Legen Sie die rechte Taste.",
     L"Вставить правую Кнопку "},
    // insertDelay
    {L"Insert Delay", L"插入延时", L"插入延時", L"Verzögerung einfügen ", L"Вставить Задержку"},
    // limitCaption
    {L"Warning", L"警告", L"警告", L"Achtung", L"Предупреждение"},
    // limitMessage
    {L"Macro numbers up to 19.", L"最多可以新建19个宏。", L"最多可以新建19個巨集。",
     L"Macro-Nummern bis zu 19.", L"Макро числа до 19."},
}};

}  // namespace

MacroManagerTexts MacroManagerTextsFor(Language language) {
  std::size_t next = 0;
  const auto text = [&] { return InLanguage(kTexts[next++], language); };
  MacroManagerTexts texts;
  texts.ok = text();
  texts.cancel = text();
  texts.title = text();
  texts.selectMacro = text();
  texts.keyPressSequence = text();
  texts.recordOption = text();
  texts.delayOption = text();
  texts.loopOption = text();
  texts.newButton = text();
  texts.deleteButton = text();
  texts.newMacroBase = text();
  texts.startRecording = text();
  texts.stopRecording = text();
  texts.recordingWindowText = text();
  texts.insertLeftButton = text();
  texts.insertMiddleButton = text();
  texts.insertRightButton = text();
  texts.insertDelay = text();
  texts.limitCaption = text();
  texts.limitMessage = text();
  return texts;
}

}  // namespace gm
