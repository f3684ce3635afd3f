#pragma once
#include "platform/window/accel.h"
