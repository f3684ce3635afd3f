#pragma once
#include "platform/window/menu.h"
