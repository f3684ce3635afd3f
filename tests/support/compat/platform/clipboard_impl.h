#pragma once
#include "platform/system/clipboard_impl.h"
