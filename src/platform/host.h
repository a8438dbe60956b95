// Host services the core asks for instead of touching the system itself: pauses, the tick
// count, message boxes, file dialogs, and the main window's cursor and timers. The Win32 front
// end, the command-line tool and the tests each provide one; later services are added here as
// the program grows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace gm {

// Buttons and icon of a message box, values as the Win32 MessageBox flags.
enum MessageBoxFlags : unsigned {
  kMbOk = 0x0,
  kMbOkCancel = 0x1,
  kMbYesNo = 0x4,
  kMbIconError = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconWarning = 0x30,
  kMbIconInformation = 0x40,
};

// Answers of a message box, values as the Win32 IDOK/IDCANCEL/IDYES/IDNO.
enum MessageBoxAnswer : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

// Options of the file dialogs, values as the Win32 OPENFILENAME flags.
enum FileDialogFlags : unsigned {
  kOfnOverwritePrompt = 0x2,
  kOfnHideReadOnly = 0x4,
  kOfnFileMustExist = 0x1000,
};

struct FileDialogRequest {
  // Pairs of description and pattern, each followed by "|", the whole ending in "|":
  // "Gaming Mouse Profile(*.bin)|*.bin||".
  std::wstring filter;
  std::wstring startFile;  // full path the dialog opens with
  unsigned flags = 0;
};

class Host {
 public:
  virtual ~Host() = default;

  // Blocks the calling thread for the given milliseconds (a protocol pause).
  virtual void Pause(std::uint32_t milliseconds) = 0;
  // Milliseconds since some fixed point, wrapping at 2^32 like GetTickCount.
  virtual std::uint32_t TickCount() = 0;
  // Shows a modal message box over the main window and returns the answer.
  virtual int ShowMessage(const std::wstring& text, const std::wstring& title, unsigned flags) = 0;
  // The system's open-file and save-file dialogs over the main window: the chosen full path,
  // or nothing when the user cancels.
  virtual std::optional<std::wstring> ChooseOpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::wstring> ChooseSaveFile(const FileDialogRequest& request) = 0;

  // The main window's class cursor becomes the wait cursor.
  virtual void SetWaitCursor() = 0;
  // The arrow again, as the class cursor and as the current cursor.
  virtual void RestoreArrowCursor() = 0;
  // A timer of the main window: the window gets the id every period until it is killed.
  // Starting a running id restarts it with the new period.
  virtual void StartTimer(unsigned id, std::uint32_t milliseconds) = 0;
  virtual void KillTimer(unsigned id) = 0;
};

}  // namespace gm
