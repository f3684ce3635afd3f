#pragma once
#include "platform/system/global_memory.h"
