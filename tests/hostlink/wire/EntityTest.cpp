#include "ELernix.h"
#include "TDemonLink.h"
#include "TEntity.h"
#include "TMemoryStream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A host directory that knows one participant, window 7.
class TFakeDemon : public TDemonLink {
public:
    int Lookups = 0;
    std::unique_ptr<TEntity> FindEntityByHandle(TWindowHandle Handle) override
    {
        ++Lookups;
        if (Handle != 7)
            return nullptr;
        auto found = std::make_unique<TEntity>(this);
        found->Handle = 7;
        found->MutexHandle = 3;
        found->ExeName = "/opt/books/demo";
        found->Title = "Demo";
        return found;
    }
    void Send(const TEntity&, TLernixMessageStream&, TLernixMessageStream*) override { }
    bool IsWindow(TWindowHandle) const override { return false; }
};

} // namespace

TEST(Entity, RecordBytesOfTheWorkedExample)
{
    TEntity e;
    e.Handle = 5;
    e.ExeName = "a";
    e.Title = "T";
    TMemoryStream s;
    e.WriteTo(s);
    EXPECT_EQ(s.Bytes(), (Bytes { 5, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0x61, 1, 0, 0, 0, 0x54 }));
    s.SetPosition(0);
    TEntity back;
    back.ReadFrom(s);
    EXPECT_EQ(back.Handle, 5);
    EXPECT_EQ(back.MutexHandle, 0);
    EXPECT_EQ(back.ExeName, "a");
    EXPECT_EQ(back.Title, "T");
}

TEST(Entity, ShortRecordFailsAndLeavesTheFieldsAlone)
{
    TMemoryStream s;
    const Bytes bytes { 5, 0, 0, 0, 9, 0, 0, 0, 3, 0, 0, 0, 0x61 };
    s.WriteBuffer(bytes.data(), bytes.size());
    s.SetPosition(0);
    TEntity e;
    e.Handle = 1;
    e.ExeName = "keep";
    EXPECT_THROW(e.ReadFrom(s), EReadError);
    EXPECT_EQ(e.Handle, 1);
    EXPECT_EQ(e.MutexHandle, 0);
    EXPECT_EQ(e.ExeName, "keep");
}

TEST(Entity, AssignCopiesDataFieldsAndIgnoresNoSource)
{
    TFakeDemon demon;
    TEntity e(&demon);
    e.Handle = 2;
    e.MutexHandle = 4;
    e.ExeName = "x";
    e.Title = "y";
    e.Assign(nullptr);
    EXPECT_EQ(e.Handle, 2);
    EXPECT_EQ(e.MutexHandle, 4);
    EXPECT_EQ(e.ExeName, "x");
    EXPECT_EQ(e.Title, "y");
    TEntity source;
    source.Handle = 9;
    e.Assign(&source);
    EXPECT_EQ(e.Handle, 9);
    EXPECT_EQ(e.ExeName, "");
    EXPECT_EQ(e.Demon, &demon);
    EXPECT_EQ(demon.Lookups, 0);
}

TEST(Entity, EmptyNamesAreLookedUpAtTheHost)
{
    TFakeDemon demon;
    TEntity known(&demon);
    known.Handle = 7;
    EXPECT_EQ(known.GetTitle(), "Demo");
    EXPECT_EQ(known.MutexHandle, 3);
    EXPECT_EQ(known.GetExeName(), "/opt/books/demo");
    EXPECT_EQ(demon.Lookups, 1);

    TEntity unknown(&demon);
    unknown.Handle = 8;
    TMemoryStream s;
    unknown.WriteTo(s);
    EXPECT_EQ(demon.Lookups, 3);
    EXPECT_EQ(s.Size(), 16);
    EXPECT_EQ(unknown.Handle, 8);
}

TEST(Entity, MutexNameUsesTheFileNameOnly)
{
    TEntity e;
    e.ExeName = "C:\\Books\\demo.exe";
    EXPECT_EQ(e.MutexName(), "LX_demo.exe");
    e.ExeName = "/opt/x/fokalis";
    EXPECT_EQ(e.MutexName(), "LX_fokalis");
    e.ExeName = "D:demo.exe";
    EXPECT_EQ(e.MutexName(), "LX_demo.exe");
    e.ExeName = "plain";
    EXPECT_EQ(e.MutexName(), "LX_plain");
}
