#pragma once
// The menu bar of the main frame and the accelerator table of the grid.

#include "platform/window/winmsg.h"

// "&Файл", "&Правка", "&Вид", "Ф&ормат" with their items; the caller owns it.
HMENU BuildMenuBar();
void RegisterGridAccelerators();
