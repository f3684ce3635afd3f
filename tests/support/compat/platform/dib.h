#pragma once
#include "platform/draw/dib.h"
