#pragma once
#include "platform/draw/gdi_qt.h"
