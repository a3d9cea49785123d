// Faults inside a guarded call end that call and nothing else: the caller
// learns the exception code, and guarded calls work again afterwards, also
// nested and after a stack overflow.
#include <gtest/gtest.h>
#include <windows.h>

#include "util/ForeignCall.h"

namespace {

void WriteNull(void*) { *static_cast<volatile int*>(nullptr) = 1; }

void DivideByZero(void* p) {
    volatile int zero = *static_cast<int*>(p);
    volatile int r = 10 / zero;
    (void)r;
}

// Deep enough to overflow any thread's stack, but with an end the compiler
// can see.
volatile int g_limit = 1 << 30;
int Recurse(int depth) {
    volatile char pad[4096];
    pad[0] = static_cast<char>(depth);
    if (depth >= g_limit) return pad[0];
    return Recurse(depth + 1) + pad[0];
}

void Overflow(void*) { Recurse(0); }

TEST(ForeignCall, ReturningCallsReportTheirResult) {
    int result = 0;
    auto call = [&] { result = 42; };
    DWORD code = 1;
    EXPECT_TRUE(quib::CallForeign(call, &code));
    EXPECT_EQ(result, 42);
    EXPECT_EQ(code, 0u);
}

TEST(ForeignCall, FaultsEndOnlyTheCall) {
    struct Case {
        void (*call)(void*);
        DWORD code;
    };
    int zero = 0;
    for (const Case& c : {Case{WriteNull, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION)},
                          Case{DivideByZero, static_cast<DWORD>(EXCEPTION_INT_DIVIDE_BY_ZERO)},
                          Case{WriteNull, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION)}}) {
        DWORD code = 0;
        EXPECT_FALSE(quib::CallForeignGuarded(c.call, &zero, &code));
        EXPECT_EQ(code, c.code);
    }
    int after = 0;
    auto call = [&] { after = 7; };
    EXPECT_TRUE(quib::CallForeign(call));
    EXPECT_EQ(after, 7);
}

TEST(ForeignCall, NestedFaultEndsTheInnerCallOnly) {
    bool innerReturned = true, outerGoesOn = false;
    DWORD innerCode = 0, outerCode = 1;
    auto outer = [&] {
        innerReturned = quib::CallForeignGuarded(WriteNull, nullptr, &innerCode);
        outerGoesOn = true;
    };
    EXPECT_TRUE(quib::CallForeign(outer, &outerCode));
    EXPECT_FALSE(innerReturned);
    EXPECT_EQ(innerCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_TRUE(outerGoesOn);
    EXPECT_EQ(outerCode, 0u);
}

TEST(ForeignCall, CppExceptionsAreNotTakenForFaults) {
    auto call = [] { throw 5; };
    // More often than guards can nest: each was left on the way out.
    for (int i = 0; i < 20; ++i) EXPECT_THROW(quib::CallForeign(call), int);
    DWORD code = 0;
    EXPECT_FALSE(quib::CallForeignGuarded(WriteNull, nullptr, &code));
}

TEST(ForeignCall, StackOverflowTwice) {
    for (int i = 0; i < 2; ++i) {
        DWORD code = 0;
        EXPECT_FALSE(quib::CallForeignGuarded(Overflow, nullptr, &code));
        EXPECT_EQ(code, static_cast<DWORD>(EXCEPTION_STACK_OVERFLOW));
    }
}

}  // namespace
