#pragma once
#include "platform/system/printer_testing.h"
