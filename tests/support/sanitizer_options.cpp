// Sanitizer settings of the test programs, built into them so that every run
// (ctest, test discovery, a run by hand) checks the same way: a finding of
// UndefinedBehaviorSanitizer ends the test, leaks are reported, and
// ThreadSanitizer checks only the instrumented code (Debian's Qt is not
// instrumented; its own locks are invisible to the sanitizer).

#define ZX_DEFAULT_OPTIONS extern "C" __attribute__((visibility("default"), used)) const char*

#if defined(ZX_ASAN)
ZX_DEFAULT_OPTIONS __asan_default_options()
{
    return "detect_leaks=1:strict_init_order=1:detect_stack_use_after_return=1";
}
ZX_DEFAULT_OPTIONS __ubsan_default_options()
{
    return "halt_on_error=1:print_stacktrace=1";
}
ZX_DEFAULT_OPTIONS __lsan_default_options()
{
    return "print_suppressions=0:suppressions=" ZX_SANITIZER_SUPPRESSIONS "/lsan.supp";
}
#endif

#if defined(ZX_TSAN)
ZX_DEFAULT_OPTIONS __tsan_default_options()
{
    return "ignore_noninstrumented_modules=1:second_deadlock_stack=1:print_suppressions=0:"
           "suppressions=" ZX_SANITIZER_SUPPRESSIONS "/tsan.supp";
}
#endif
