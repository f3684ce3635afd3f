#pragma once
#include "platform/window/winmsg.h"
