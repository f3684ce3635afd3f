#pragma once
#include "platform/window/framewindow.h"
