#pragma once
#include "platform/controls/controls_qt.h"
