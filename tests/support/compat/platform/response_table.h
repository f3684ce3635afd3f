#pragma once
#include "platform/window/response_table.h"
