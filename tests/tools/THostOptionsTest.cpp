#include "THostOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using TArgs = std::vector<std::string>;

std::string Refusal(const TArgs& Arguments)
{
    try {
        ParseHostOptions(Arguments);
    } catch (const EUsage& Error) {
        return Error.what();
    }
    return "(accepted)";
}

} // namespace

TEST(HostOptions, ValuesInBothFormsAndEverythingAfterTheSeparatorIsTheParticipants)
{
    const THostOptions Options = ParseHostOptions(
        { "--suffix=", "--files", "book", "--values=v=1.txt", "-v", "--", "prog", "--suffix", "--" });
    EXPECT_EQ(Options.Suffix, "");
    EXPECT_EQ(Options.FilesFolder, "book");
    EXPECT_EQ(Options.ValuesFile, "v=1.txt");
    EXPECT_TRUE(Options.Verbose);
    EXPECT_FALSE(Options.Publish);
    EXPECT_EQ(Options.Participant, (TArgs { "prog", "--suffix", "--" }));
    // The last suffix counts; a value may look like an option.
    EXPECT_EQ(ParseHostOptions({ "--suffix", "a", "--suffix", "--files" }).Suffix, "--files");
    EXPECT_TRUE(ParseHostOptions({ "--help" }).Help);
}

TEST(HostOptions, CommandLinesThatCannotRunAreRefusedWithTheReason)
{
    EXPECT_EQ(Refusal({}), "--suffix is required (it may be empty: --suffix=)");
    EXPECT_EQ(Refusal({ "--suffix" }), "--suffix needs a value");
    EXPECT_EQ(Refusal({ "--suffix=x", "--file=d" }), "unknown argument \"--file=d\"");
    EXPECT_EQ(Refusal({ "--suffix=x", "--" }), "-- must be followed by the program to start");
    // Participants read these two as "no suffix", so publishing them would hide the host.
    for (const std::string Unset : { "", "00000000" })
        EXPECT_NE(
            Refusal({ "--publish", "--suffix=" + Unset }).find("--publish needs a suffix"), std::string::npos)
            << Unset;
    EXPECT_EQ(Refusal({ "--publish", "--suffix=0000000a" }), "(accepted)");
}
