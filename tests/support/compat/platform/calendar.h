#pragma once
#include "platform/text/calendar.h"
