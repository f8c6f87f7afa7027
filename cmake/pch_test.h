// Precompiled header of the test executables.
#pragma once
#include "pch_gui.h"
#include <gtest/gtest.h>
