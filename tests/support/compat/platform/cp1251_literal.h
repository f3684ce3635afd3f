#pragma once
#include "platform/text/cp1251_literal.h"
