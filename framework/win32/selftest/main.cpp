// The Windows backend's self-test: the conformance suite (tests/seam) and the backend's own cases, run under
// Wine (see run_under_wine.sh) or on Windows. GoogleTest prints every case and a summary; the exit status is
// 0 when all passed.
#include "framework/win32/system_library.h"

#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
    // As telly.exe starts: the backend runs under the same DLL search.
    fw::win32::RestrictDllSearch();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
