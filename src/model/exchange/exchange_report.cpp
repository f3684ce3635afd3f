#include "model/exchange/exchange_report.h"

#include <algorithm>

void TExchangeReport::Drop(const std::string& what) {
  if (std::find(dropped.begin(), dropped.end(), what) == dropped.end()) dropped.push_back(what);
}
