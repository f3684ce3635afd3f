#pragma once
#include "platform/text/oleaut.h"
