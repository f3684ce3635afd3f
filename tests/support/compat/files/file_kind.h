#pragma once
#include "model/file_kind.h"
