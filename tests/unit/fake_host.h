// A Host for tests: records pauses and messages instead of waiting or showing anything.
#pragma once

#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

#include "platform/host.h"

namespace gm::test {

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

  std::uint64_t TotalPause() const {
    return std::accumulate(pauses.begin(), pauses.end(), std::uint64_t{0});
  }

  std::vector<std::uint32_t> pauses;
  std::vector<ShownMessage> messages;
  std::uint32_t ticks = 0;
  int nextAnswer = kIdOk;
};

}  // namespace gm::test
