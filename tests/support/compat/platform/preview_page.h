#pragma once
#include "platform/draw/preview_page.h"
