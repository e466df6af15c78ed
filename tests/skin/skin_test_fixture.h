// The fixture the skin test suites share: a started SkinEngine for each test and the test's
// windows (taken with Track), destroyed after it when they still exist.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "skin/skin_engine.h"

namespace skintest {

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(engine_.Start()); }
  void TearDown() override {
    for (HWND w : windows_)
      if (IsWindow(w)) DestroyWindow(w);
  }
  HWND Track(HWND w) {
    windows_.push_back(w);
    return w;
  }
  tunelark::SkinEngine engine_;
  std::vector<HWND> windows_;
};

}  // namespace skintest
