#pragma once
#include "platform/draw/font_data.h"
