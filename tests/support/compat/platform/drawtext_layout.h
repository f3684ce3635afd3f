#pragma once
#include "platform/draw/drawtext_layout.h"
