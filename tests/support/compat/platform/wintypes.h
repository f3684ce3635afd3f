#pragma once
#include "platform/text/wintypes.h"
