// A MouseLock for the tests: free or held by "another program", and whether this one holds it.
#pragma once

#include "platform/mouse_lock.h"

namespace gm::test {

class FakeMouseLock : public MouseLock {
 public:
  bool Acquire(std::uint32_t) override {
    if (takenElsewhere) return false;
    ++acquired;
    held = true;
    return true;
  }
  void Release() override { held = false; }

  bool takenElsewhere = false;
  bool held = false;
  int acquired = 0;
};

}  // namespace gm::test
