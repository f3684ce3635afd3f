#pragma once
#include "model/file_progress.h"
