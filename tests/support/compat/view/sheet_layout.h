#pragma once
#include "model/sheet_layout.h"
