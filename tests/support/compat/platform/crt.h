#pragma once
#include "platform/text/crt.h"
