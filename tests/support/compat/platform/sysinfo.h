#pragma once
#include "platform/system/sysinfo.h"
