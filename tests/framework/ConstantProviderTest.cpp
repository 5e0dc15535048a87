#include <gtest/gtest.h>

#include <vector>

#include "framework/ConstantProvider.h"

namespace {
// A provider of its own, so that the process-wide one's history does not matter.
struct FreshProvider : ConstantProvider {};
}  // namespace

TEST(ConstantProvider, RegistriesNumberIndependentlyFromTheirOwnStart) {
    FreshProvider names;
    // Names are case-sensitive, stable (a repeat leaves the counter untouched); empty is a name too.
    EXPECT_EQ((std::vector<unsigned>{names.getEventTypeIdentifier("PRESS"), names.getButtonBufferValue("PRESS"),
                                     names.getBufferTypeIdentifier("PRESS"), names.getEventTypeIdentifier("press"),
                                     names.getEventTypeIdentifier("PRESS"), names.getEventTypeIdentifier(""),
                                     names.getButtonBufferValue("NO_BUTTON")}),
              (std::vector<unsigned>{3, 0, 1, 4, 3, 5, 1}));
}

TEST(ConstantProvider, OneInstancePerProcess) {
    ConstantProvider* a = ConstantProvider::getInstance();
    EXPECT_EQ(a, ConstantProvider::getInstance());
    EXPECT_EQ(a->getBufferTypeIdentifier("X_BUFFER"), ConstantProvider::getInstance()->getBufferTypeIdentifier("X_BUFFER"));
}
