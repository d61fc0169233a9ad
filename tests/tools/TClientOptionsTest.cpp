#include "TClientOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using TArgs = std::vector<std::string>;

std::string Refusal(const TArgs& Arguments)
{
    try {
        ParseClientOptions(Arguments);
    } catch (const std::invalid_argument& Error) {
        return Error.what();
    }
    return "(accepted)";
}

} // namespace

TEST(ClientOptions, SwitchesStayAsWrittenAndArgumentsAreTakenAsTheyStand)
{
    const TClientOptions Value
        = ParseClientOptions({ "/ServerHandle=AbC", "/serverhandle=x", "value", "-k" });
    EXPECT_EQ(Value.ServerHandleSwitches, (TArgs { "/ServerHandle=AbC", "/serverhandle=x" }));
    EXPECT_FALSE(Value.Suffix);
    EXPECT_EQ(Value.Request, TClientRequest::Value);
    EXPECT_EQ(Value.Argument, "-k");

    const TClientOptions Execute
        = ParseClientOptions({ "--suffix=", "execute", "--wait", "--option=-5", "--", "-prog", "a \"b c\"" });
    EXPECT_EQ(Execute.Suffix, "");
    EXPECT_EQ(Execute.Request, TClientRequest::Execute);
    EXPECT_TRUE(Execute.Wait);
    EXPECT_EQ(Execute.Option, -5);
    EXPECT_EQ(Execute.Argument, "-prog");
    EXPECT_EQ(Execute.Parameters, "a \"b c\"");

    EXPECT_EQ(ParseClientOptions({ "find-handle", "-2147483648" }).Handle, -2147483647 - 1);
}

TEST(ClientOptions, WhatIsMissingOrWrongIsNamed)
{
    EXPECT_EQ(Refusal({}), "the request is missing");
    EXPECT_EQ(Refusal({ "fetch", "x" }), "unknown request \"fetch\"");
    EXPECT_EQ(Refusal({ "--sufix=x", "value", "k" }), "unknown option \"--sufix=x\"");
    EXPECT_EQ(Refusal({ "get-file" }), "the file name is missing");
    EXPECT_EQ(Refusal({ "get-file", "a", "b" }), "unexpected argument \"b\"");
    EXPECT_EQ(Refusal({ "execute", "--option" }), "the value of --option is missing");
    EXPECT_EQ(Refusal({ "execute", "--fast", "p" }), "unknown option of execute \"--fast\"");
    EXPECT_EQ(Refusal({ "execute", "p", "a", "b" }), "unexpected argument \"b\"");
    for (const std::string Handle : { "2147483648", "12x", "", " 1", "+1" })
        EXPECT_EQ(Refusal({ "find-handle", Handle }),
            "the window handle must be a 32-bit decimal integer, not \"" + Handle + "\"")
            << Handle;
}
