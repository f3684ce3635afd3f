#pragma once
// OLE Automation conversions of text into dates and numbers, following the
// rules of the given locale.

#include "platform/text/wintypes.h"

// S_OK, DISP_E_TYPEMISMATCH for text that is no value, DISP_E_OVERFLOW when out of range.
HRESULT VarDateFromStr(const OLECHAR* str, LCID lcid, ULONG flags, DATE* result);
HRESULT VarR8FromStr(const OLECHAR* str, LCID lcid, ULONG flags, double* result);
HRESULT VarI4FromStr(const OLECHAR* str, LCID lcid, ULONG flags, LONG* result);
