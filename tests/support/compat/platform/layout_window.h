#pragma once
#include "platform/window/layout_window.h"
