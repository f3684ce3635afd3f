#pragma once
#include "platform/window/window.h"
