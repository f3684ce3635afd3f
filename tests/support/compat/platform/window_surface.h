#pragma once
#include "platform/window/window_surface.h"
