#pragma once
#include "platform/system/printer.h"
