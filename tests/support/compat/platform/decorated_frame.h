#pragma once
#include "platform/window/decorated_frame.h"
