#pragma once
#include "platform/window/modeless.h"
