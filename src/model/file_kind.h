#pragma once
// Which kind of file a name stands for. The open and save commands and the
// command line all decide the same way. Nothing here needs a window.

#include <string>

// The file kinds; they are also the filter indexes of the Save As dialog.
constexpr int kUnknownFileKind = 0;
constexpr int kTableFileKind = 1;
constexpr int kTextFileKind = 2;
constexpr int kPictureFileKind = 3;

// The kind the name's extension says, in any letter case: ".qdt" a table,
// ".txt" and ".tsv" text, ".bmp" a picture; kUnknownFileKind for every other
// name. A name that is only an extension, ".txt", has that kind too.
int FileKindOfExtension(const std::string& name);
