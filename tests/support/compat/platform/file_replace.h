#pragma once
#include "platform/system/file_replace.h"
