#pragma once
#include "platform/window/application.h"
