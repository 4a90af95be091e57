// Linked into the sanitizer build's Qt programs only: the leak check passes
// over what the system's libraries under Qt keep for the process's life
// (fontconfig's caches, the X and D-Bus clients' own), never our code.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
