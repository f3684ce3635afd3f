#pragma once
#include "platform/draw/gdi.h"
