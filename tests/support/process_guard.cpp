#include "support/process_guard.h"

#include <gtest/gtest.h>

#include "generation/rnd.h"
#include "model/process_flags.h"
#include "util/app_environment.h"

namespace test_support {

namespace {

class ProcessGuard : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { ResetProcessState(); }
  void OnTestEnd(const ::testing::TestInfo&) override { ResetProcessState(); }
};

}  // namespace

void ResetProcessState() {
  AppPhase = apNone;
  CtrlHeld = false;
  ThemeMode = 0;
  TRnd::ResetForTest();
}

void InstallProcessGuard() {
  ::testing::UnitTest::GetInstance()->listeners().Append(new ProcessGuard);  // owned by GoogleTest
}

}  // namespace test_support
