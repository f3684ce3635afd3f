#pragma once
#include "model/sheet_store.h"
