#include "cell/cell_clock.h"

#include "platform/text/datetime.h"

FILETIME CurrentFileTime() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  FILETIME fileTime;
  SystemTimeToFileTime(&now, &fileTime);
  return fileTime;
}

FILETIME StartOfCurrentYear() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  now.wMonth = 1;
  now.wDay = 1;
  now.wHour = 0;
  now.wMinute = 0;
  now.wSecond = 0;
  now.wMilliseconds = 0;
  FILETIME fileTime;
  SystemTimeToFileTime(&now, &fileTime);
  return fileTime;
}
