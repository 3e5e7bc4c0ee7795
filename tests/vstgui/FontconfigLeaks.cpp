// Fontconfig keeps its configuration for the life of the process, and Pango loads it on a
// thread of its own, so it cannot be freed safely at exit. The leak checker is told to ignore
// allocations made inside fontconfig; everything the toolkit allocates is still checked.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
