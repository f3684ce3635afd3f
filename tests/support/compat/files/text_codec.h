#pragma once
#include "model/text_codec.h"
