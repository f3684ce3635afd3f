// Defaults the sanitizers read at start-up, so every way of running a test
// program (ctest, directly, under a debugger) reports the same way.

extern "C" {

// Allocations that Qt and the system libraries keep for the life of the process.
const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n"
         "leak:libQt6Core\n"
         "leak:libQt6Gui\n"
         "leak:libQt6Widgets\n"
         "leak:libdbus\n";
}

const char* __asan_default_options() { return "detect_leaks=1"; }

const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }
}
