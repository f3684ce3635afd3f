#pragma once
#include "platform/text/oleaut_number_scan.h"
