#pragma once
#include "platform/controls/dialog.h"
