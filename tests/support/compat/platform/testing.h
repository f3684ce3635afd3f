#pragma once
#include "platform/window/testing.h"
