#pragma once
#include "platform/draw/font.h"
