// A Host for tests: records pauses, messages, file dialogs and the window's cursor and timer
// calls instead of waiting or showing anything. A file dialog answers from a script; one that no
// test expected throws.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/host.h"

namespace gm::test {

struct ShownFileDialog {
  bool save = false;
  FileDialogRequest request;
};

struct ShownMessage {
  std::wstring text;
  std::wstring title;
  unsigned flags = 0;
};

class FakeHost : public Host {
 public:
  void Pause(std::uint32_t milliseconds) override {
    pauses.push_back(milliseconds);
    ticks += milliseconds;
  }
  std::uint32_t TickCount() override { return ticks; }
  int ShowMessage(const std::wstring& text, const std::wstring& title, unsigned flags) override {
    messages.push_back({text, title, flags});
    return nextAnswer;
  }
  void SetWaitCursor() override { windowCalls.push_back("wait-cursor"); }
  void RestoreArrowCursor() override { windowCalls.push_back("arrow-cursor"); }
  void StartTimer(unsigned id, std::uint32_t milliseconds) override {
    windowCalls.push_back("start-timer " + std::to_string(id) + " " + std::to_string(milliseconds));
    timers[id] = milliseconds;
  }
  void KillTimer(unsigned id) override {
    windowCalls.push_back("kill-timer " + std::to_string(id));
    timers.erase(id);
  }

  std::optional<std::wstring> ChooseOpenFile(const FileDialogRequest& request) override {
    return AnswerFileDialog(false, request);
  }
  std::optional<std::wstring> ChooseSaveFile(const FileDialogRequest& request) override {
    return AnswerFileDialog(true, request);
  }

  std::uint64_t TotalPause() const {
    return std::accumulate(pauses.begin(), pauses.end(), std::uint64_t{0});
  }

  std::vector<std::uint32_t> pauses;
  std::vector<ShownMessage> messages;
  std::uint32_t ticks = 0;
  int nextAnswer = kIdOk;
  std::vector<std::string> windowCalls;      // "wait-cursor", "start-timer 1 2000", ...
  std::map<unsigned, std::uint32_t> timers;  // running timers: id -> period
  // Answers of the next file dialogs in order; nothing stands for Cancel.
  std::deque<std::optional<std::wstring>> fileAnswers;
  std::vector<ShownFileDialog> fileDialogs;

 private:
  std::optional<std::wstring> AnswerFileDialog(bool save, const FileDialogRequest& request) {
    fileDialogs.push_back({save, request});
    if (fileAnswers.empty()) throw std::logic_error("file dialog without a scripted answer");
    std::optional<std::wstring> answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
};

}  // namespace gm::test
