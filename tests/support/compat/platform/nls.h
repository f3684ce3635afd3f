#pragma once
#include "platform/text/nls.h"
