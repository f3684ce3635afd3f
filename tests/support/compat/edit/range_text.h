#pragma once
#include "model/range_text.h"
