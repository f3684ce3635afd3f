#pragma once
#include "platform/window/window_impl.h"
