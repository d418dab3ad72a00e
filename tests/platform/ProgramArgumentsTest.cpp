#include "platform/CommandLine.h"

#include <gtest/gtest.h>

TEST(ProgramArguments, AreTheVectorTheProgramWasStartedWith)
{
    const std::vector<std::string> arguments = platform::ProgramArguments();
    ASSERT_FALSE(arguments.empty());
    EXPECT_NE(arguments[0].find("platform_tests"), std::string::npos) << arguments[0];
    EXPECT_EQ(arguments, testing::internal::GetArgvs());
}
