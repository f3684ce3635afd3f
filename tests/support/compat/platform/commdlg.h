#pragma once
#include "platform/controls/commdlg.h"
