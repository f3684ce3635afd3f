#pragma once
#include "platform/controls/edit.h"
