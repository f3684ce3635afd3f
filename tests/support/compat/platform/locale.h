#pragma once
#include "platform/text/locale.h"
