#pragma once

// The window tests' fixture is the shared harness.
#include "support/WindowHarness.h"

namespace verbaria {

using WindowFixture = WindowHarness;

} // namespace verbaria
