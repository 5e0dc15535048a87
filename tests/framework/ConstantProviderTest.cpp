#include <gtest/gtest.h>

#include "framework/ConstantProvider.h"

namespace {
// A provider of its own, so that the process-wide one's history does not matter.
struct FreshProvider : ConstantProvider {};
}  // namespace

TEST(ConstantProvider, RegistriesNumberIndependentlyFromTheirOwnStart) {
    FreshProvider names;
    EXPECT_EQ(names.getEventTypeIdentifier("PRESS"), 3u);
    EXPECT_EQ(names.getButtonBufferValue("PRESS"), 0u);
    EXPECT_EQ(names.getBufferTypeIdentifier("PRESS"), 1u);
    EXPECT_EQ(names.getEventTypeIdentifier("press"), 4u);  // case-sensitive
    EXPECT_EQ(names.getEventTypeIdentifier("PRESS"), 3u);  // stable, counter untouched
    EXPECT_EQ(names.getEventTypeIdentifier(""), 5u);       // empty is a name too
    EXPECT_EQ(names.getButtonBufferValue("NO_BUTTON"), 1u);
}

TEST(ConstantProvider, OneInstancePerProcess) {
    ConstantProvider* a = ConstantProvider::getInstance();
    EXPECT_EQ(a, ConstantProvider::getInstance());
    EXPECT_EQ(a->getBufferTypeIdentifier("X_BUFFER"), ConstantProvider::getInstance()->getBufferTypeIdentifier("X_BUFFER"));
}
