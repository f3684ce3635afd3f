#pragma once
#include "model/limits.h"
