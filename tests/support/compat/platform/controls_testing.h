#pragma once
#include "platform/controls/controls_testing.h"
