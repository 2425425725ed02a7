// Functions of system libraries bound at their first use: a present one is called with the caller's
// arguments, and a missing one names the library, or the function of a library that lacks it.
#include "platform/core/late_bound.h"
#include "platform/core/runtime_error.h"

#include <gtest/gtest.h>

#include <string>

using MulDivFn = int WINAPI(int, int, int);

TEST(CoreLateBound, APresentFunctionIsCalledAndAMissingOneNamesWhatIsMissing) {
    const core::LateBound<MulDivFn> present{L"kernel32.dll", "MulDiv"};
    ASSERT_TRUE(present);
    EXPECT_EQ(present(6, 4, 3), 8) << "the arguments reach the function, its result the caller";
    EXPECT_EQ(present(-7, 1, 2), MulDiv(-7, 1, 2));
    EXPECT_NO_THROW(present.require());

    struct Case {
        const wchar_t* library;
        const char* function;
        int number;
        const wchar_t* named; // the function as the error names it
        const wchar_t* description;
    };
    const Case cases[] = {
        {L"kernel32.dll", "VexaNoSuchFunction", 453, L"VexaNoSuchFunction",
         L"Specified DLL function not found: VexaNoSuchFunction (kernel32.dll)"},
        {L"vexa-no-such-library.dll", "MulDiv", 48, L"", L"Error in loading DLL: vexa-no-such-library.dll"},
    };
    for (const Case& c : cases) {
        const core::LateBound<MulDivFn> f{c.library, c.function};
        EXPECT_FALSE(f) << c.function;
        EXPECT_THROW(f.require(), core::LibraryError) << c.function;
        try {
            f(6, 4, 3);
            ADD_FAILURE() << c.function << " was called";
        } catch (const core::LibraryError& e) {
            EXPECT_EQ(e.number(), c.number);
            EXPECT_EQ(e.library(), c.library);
            EXPECT_EQ(e.function(), c.named);
            EXPECT_EQ(e.description(), c.description);
        }
    }

    // A function given as it is (a test's stand-in) is called as a bound one.
    const core::LateBound<MulDivFn> given{&MulDiv};
    EXPECT_EQ(given(10, 3, 2), 15);
    EXPECT_FALSE(core::LateBound<MulDivFn>{});
}

// A table lists each function once; it tells whether all are there, and names the first it lacks.
namespace {

struct Kernel : core::LateTable {
    Kernel() : LateTable(L"kernel32.dll") {}
    Entry<MulDivFn> MulDiv{*this, "MulDiv"};
    Entry<MulDivFn> missing{*this, "VexaNoSuchFunction"};
    Entry<MulDivFn> alsoMissing{*this, "VexaNoSuchFunctionEither"};
};

struct Present : core::LateTable {
    Present() : LateTable(L"kernel32.dll") {}
    Entry<MulDivFn> MulDiv{*this, "MulDiv"};
};

} // namespace

TEST(CoreLateBound, ATableTellsTheFirstFunctionItLacks) {
    const Present present;
    EXPECT_TRUE(present.complete());
    EXPECT_NO_THROW(present.requireAll());
    EXPECT_EQ(present.MulDiv(6, 4, 3), 8);

    const Kernel kernel;
    EXPECT_FALSE(kernel.complete());
    EXPECT_EQ(kernel.MulDiv(6, 4, 3), 8);
    try {
        kernel.requireAll();
        ADD_FAILURE() << "a table without its functions was taken as whole";
    } catch (const core::LibraryError& e) {
        EXPECT_EQ(e.function(), L"VexaNoSuchFunction");
    }
}
