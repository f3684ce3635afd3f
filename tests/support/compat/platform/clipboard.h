#pragma once
#include "platform/system/clipboard.h"
