#pragma once
#include "model/file_failure.h"
