#pragma once
// Which kind of file a name stands for. The open and save commands and the
// command line all decide the same way. Nothing here needs a window.

#include <string>

#include "model/limits.h"

// The kind the name's extension says, in any letter case: ".qdt" a table,
// ".txt" and ".tsv" text, ".bmp" a picture, ".csv", ".xlsx" and ".ods" the
// formats of other spreadsheet programs; TFileKind::Unknown for every other
// name. A name that is only an extension, ".txt", has that kind too.
TFileKind FileKindOfExtension(const std::string& name);
