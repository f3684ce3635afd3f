#pragma once
#include "platform/draw/geometry.h"
