#pragma once
#include "model/page_breaks.h"
