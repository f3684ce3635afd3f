#pragma once
#include "platform/controls/controlbar.h"
