#pragma once
#include "platform/draw/dc_impl.h"
