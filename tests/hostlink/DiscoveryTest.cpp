#include "DemonWindowClass.h"
#include "ELernix.h"
#include "HostDiscovery.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct TSuffixCase {
    const char* Name;
    std::string Registry;
    std::vector<std::string> Parameters;
    std::string Suffix;
};

void PrintTo(const TSuffixCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class ServerHandleSuffix : public ::testing::TestWithParam<TSuffixCase> { };

} // namespace

TEST_P(ServerHandleSuffix, FromRegistryOrSwitch)
{
    EXPECT_EQ(GetServerHandleSuffix(GetParam().Registry, GetParam().Parameters), GetParam().Suffix);
}

INSTANTIATE_TEST_SUITE_P(Cases, ServerHandleSuffix,
    ::testing::Values(
        TSuffixCase { "unset_registry_switch_lowered", "00000000", { "/ServerHandle=00AB12CD" }, "00ab12cd" },
        TSuffixCase { "registry_wins_unchanged", "1234ABCD", { "/serverhandle=5" }, "1234ABCD" },
        TSuffixCase { "nothing_set", "", {}, "" },
        TSuffixCase { "unset_registry_kept", "00000000", { "other" }, "00000000" },
        TSuffixCase { "last_switch_wins", "", { "/serverhandle=1", "x", "/serverhandle=2" }, "2" },
        TSuffixCase { "empty_switch_value", "", { "/serverhandle=" }, "" },
        TSuffixCase { "switch_must_start_the_parameter", "", { "x/serverhandle=3", "/serverhandle3" }, "" }),
    [](const ::testing::TestParamInfo<TSuffixCase>& Info) { return std::string(Info.param.Name); });

TEST(Registry, ValueIsReadFromTheMachineSettings)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir(folder.path()).mkpath("Orvik"));
    QFile conf(folder.filePath("Orvik/vandrel.conf"));
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write("[demon]\nViewerHandle=00C0FFEE\n");
    conf.close();
    qputenv("LERNIX_REGISTRY_DIR", folder.path().toLocal8Bit());
    EXPECT_EQ(ReadViewerHandle(), "00C0FFEE");
    EXPECT_EQ(GetServerHandleSuffix(), "00C0FFEE");
    qunsetenv("LERNIX_REGISTRY_DIR");
}

TEST(WindowClass, NamesThatCannotNameAWindowAreRefused)
{
    EXPECT_NO_THROW(RegisterDemonWindowClass("ThisIsTheLernixClientComponentWindowClass"));
    EXPECT_THROW(RegisterDemonWindowClass(""), ELernix);
    EXPECT_THROW(RegisterDemonWindowClass(std::string(MaxWindowClassNameLength + 1, 'x')), ELernix);
    try {
        RegisterDemonWindowClass(std::string("a\0b", 3));
        FAIL() << "a class name with NUL was accepted";
    } catch (const ELernix& e) {
        EXPECT_EQ(std::string(e.what()), GetLastErrorString());
        EXPECT_FALSE(std::string(e.what()).empty());
    }
}
