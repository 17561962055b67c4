#pragma once
#include "TestHelpers.h" // AddDailyAnalyte
