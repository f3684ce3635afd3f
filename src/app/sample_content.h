#pragma once
// The content a new 40 x 20 table starts with.

class TGridwork;

void FillSampleContent(TGridwork& grid);
