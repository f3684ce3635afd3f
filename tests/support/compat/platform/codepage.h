#pragma once
#include "platform/text/codepage.h"
