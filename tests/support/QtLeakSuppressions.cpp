// Qt, fontconfig and the X libraries keep caches and per-thread data alive
// until the process ends; LeakSanitizer would report them after every
// widget test. Leaks whose allocation happened inside those libraries are
// not ours, so they are suppressed; objects our code allocates itself are
// still reported.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libQt6Core.so\n"
           "leak:libQt6Gui.so\n"
           "leak:libQt6Widgets.so\n"
           "leak:libQt6Test.so\n"
           "leak:libfontconfig.so\n"
           "leak:libglib-2.0.so\n";
}
