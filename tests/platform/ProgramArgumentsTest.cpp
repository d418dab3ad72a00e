#include "platform/CommandLine.h"

#include <gtest/gtest.h>

TEST(ProgramArguments, AreTheVectorTheProgramWasStartedWith)
{
    std::vector<std::string> arguments;
    for (const platform::SystemName& argument : platform::ProgramArguments()) {
        EXPECT_TRUE(argument.Exact) << argument.Text;
        arguments.push_back(argument.Text);
    }
    ASSERT_FALSE(arguments.empty());
    EXPECT_NE(arguments[0].find("platform_tests"), std::string::npos) << arguments[0];
    EXPECT_EQ(arguments, testing::internal::GetArgvs());
}
