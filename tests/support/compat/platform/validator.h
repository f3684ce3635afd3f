#pragma once
#include "platform/controls/validator.h"
