#pragma once
#include "model/table_codec.h"
