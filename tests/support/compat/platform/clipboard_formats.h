#pragma once
#include "platform/system/clipboard_formats.h"
