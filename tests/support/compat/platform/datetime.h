#pragma once
#include "platform/text/datetime.h"
