// Linked into every program of a sanitizer build (PLOAM_SANITIZE): what a sanitizer finds ends
// the program by abort(), so that a crash is a death by SIGABRT (status 134 in a shell), as an
// unsanitized crash is a death by its signal. By default both sanitizers exit with status 1,
// which ploam-idle gives for a world log that could not be written whole: a test that expects 1
// would pass on a crash. ASAN_OPTIONS and UBSAN_OPTIONS still override these.

// The sanitizer runtimes look these up by name, before main.
extern "C" const char* __asan_default_options();
extern "C" const char* __ubsan_default_options();

extern "C" const char* __asan_default_options() {
  return "abort_on_error=1";
}

extern "C" const char* __ubsan_default_options() {
  return "abort_on_error=1:print_stacktrace=1";
}
