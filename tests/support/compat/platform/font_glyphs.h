#pragma once
#include "platform/draw/font_glyphs.h"
