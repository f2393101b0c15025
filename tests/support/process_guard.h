// One guard for the process-wide state the program shares between layers:
// the application phase and busy flag, the Ctrl key, the look, and the random
// source. Installed by the test main, it puts them back to the start-of-
// process values before and after every test, so a test that fails half-way
// cannot leak its settings into the next one.
#pragma once

namespace test_support {

// The start-of-process values of every process-wide flag and of TRnd.
void ResetProcessState();

// Registers the guard with GoogleTest; called once by the test main.
void InstallProcessGuard();

}  // namespace test_support
