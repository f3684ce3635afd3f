#pragma once
#include "model/command_line.h"
