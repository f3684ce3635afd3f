#pragma once
#include "platform/controls/edit_buffer.h"
