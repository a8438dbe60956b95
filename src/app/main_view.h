// What the main window does when the core asks: the core decides, the window shows.
#pragma once

#include <string>

namespace gm {

class MainView {
 public:
  virtual ~MainView() = default;

  virtual void ShowMainWindow() = 0;  // show it and bring it to the foreground
  virtual void HideMainWindow() = 0;
  virtual bool IsMainWindowVisible() const = 0;
  virtual void ShowBalloon(const std::wstring& text, const std::wstring& title,
                           unsigned timeoutMs) = 0;
  virtual void ShowTrayMenu(const std::wstring& exitText) = 0;
  virtual void FullDraw() = 0;  // the first page
  virtual void Relayout() = 0;  // redraw keeping the open pages
  virtual void ClearSelectionAndHover() = 0;
};

}  // namespace gm
