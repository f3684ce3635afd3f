#pragma once
#include "platform/draw/dc.h"
