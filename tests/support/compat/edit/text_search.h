#pragma once
#include "model/text_search.h"
