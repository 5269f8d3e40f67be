#include "known_library_leaks.h"

extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions()
{
    return VANTREL_KNOWN_LIBRARY_LEAKS;
}
