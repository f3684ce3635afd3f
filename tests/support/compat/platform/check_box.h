#pragma once
#include "platform/controls/check_box.h"
