#pragma once
#include "platform/draw/bitmap.h"
