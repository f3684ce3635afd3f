#pragma once
#include "platform/controls/progress.h"
