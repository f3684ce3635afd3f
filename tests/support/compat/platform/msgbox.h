#pragma once
#include "platform/controls/msgbox.h"
