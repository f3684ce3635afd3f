// The program's entry: the command line is looked at first, so --help,
// --version and --convert-to answer without a display; then one application
// object, run to the end, opening the file named on the command line.

#include <iostream>

#include "app/app.h"
#include "model/command_line.h"
#include "model/exchange/convert.h"
#include "app/run_guarded.h"

int main(int argc, char** argv) {
  const TStartRequest request = ParseCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc});
  switch (request.action) {
    case TStartAction::Help:
      std::cout << UsageLine() << '\n';
      return 0;
    case TStartAction::Version:
      std::cout << VersionLine() << '\n';
      return 0;
    case TStartAction::Refuse:
      std::cerr << "gridwork: " << request.problem << " (see gridwork --help)\n";
      return 2;
    case TStartAction::Convert:
      return ConvertFiles(request.files, request.convertTo, request.outDir, std::cout) ? 0 : 1;
    case TStartAction::Run:
      break;
  }
  return RunGuarded([&request] {
    TApp app(request.file);
    return app.Run();
  });
}
