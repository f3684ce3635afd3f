#pragma once
#include "platform/controls/controls.h"
