#pragma once
#include "model/edit_info.h"
