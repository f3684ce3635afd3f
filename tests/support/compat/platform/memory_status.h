#pragma once
#include "platform/system/memory_status.h"
