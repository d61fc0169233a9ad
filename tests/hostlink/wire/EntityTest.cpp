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
        auto Found = std::make_unique<TEntity>(this);
        Found->Handle = 7;
        Found->MutexHandle = 3;
        Found->ExeName = "/opt/books/demo";
        Found->Title = "Demo";
        return Found;
    }
    void Send(const TEntity&, TLernixMessageStream&, TLernixMessageStream*) override { }
    bool IsWindow(TWindowHandle) const override { return false; }
};

} // namespace

TEST(Entity, RecordBytesOfTheWorkedExample)
{
    TEntity Entity;
    Entity.Handle = 5;
    Entity.ExeName = "a";
    Entity.Title = "T";
    TMemoryStream Stream;
    Entity.WriteTo(Stream);
    EXPECT_EQ(Stream.Bytes(), (Bytes { 5, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0x61, 1, 0, 0, 0, 0x54 }));
    Stream.SetPosition(0);
    TEntity Back;
    Back.ReadFrom(Stream);
    EXPECT_EQ(Back.Handle, 5);
    EXPECT_EQ(Back.MutexHandle, 0);
    EXPECT_EQ(Back.ExeName, "a");
    EXPECT_EQ(Back.Title, "T");
}

TEST(Entity, ShortRecordFailsAndLeavesTheFieldsAlone)
{
    TMemoryStream Stream;
    const Bytes Raw { 5, 0, 0, 0, 9, 0, 0, 0, 3, 0, 0, 0, 0x61 };
    Stream.WriteBuffer(Raw.data(), Raw.size());
    Stream.SetPosition(0);
    TEntity Entity;
    Entity.Handle = 1;
    Entity.ExeName = "keep";
    EXPECT_THROW(Entity.ReadFrom(Stream), EReadError);
    EXPECT_EQ(Entity.Handle, 1);
    EXPECT_EQ(Entity.MutexHandle, 0);
    EXPECT_EQ(Entity.ExeName, "keep");
}

TEST(Entity, AssignCopiesDataFieldsAndIgnoresNoSource)
{
    TFakeDemon Demon;
    TEntity Entity(&Demon);
    Entity.Handle = 2;
    Entity.MutexHandle = 4;
    Entity.ExeName = "x";
    Entity.Title = "y";
    Entity.Assign(nullptr);
    EXPECT_EQ(Entity.Handle, 2);
    EXPECT_EQ(Entity.MutexHandle, 4);
    EXPECT_EQ(Entity.ExeName, "x");
    EXPECT_EQ(Entity.Title, "y");
    TEntity Source;
    Source.Handle = 9;
    Entity.Assign(&Source);
    EXPECT_EQ(Entity.Handle, 9);
    EXPECT_EQ(Entity.ExeName, "");
    EXPECT_EQ(Entity.Demon, &Demon);
    EXPECT_EQ(Demon.Lookups, 0);
}

TEST(Entity, EmptyNamesAreLookedUpAtTheHost)
{
    TFakeDemon Demon;
    TEntity Known(&Demon);
    Known.Handle = 7;
    EXPECT_EQ(Known.GetTitle(), "Demo");
    EXPECT_EQ(Known.MutexHandle, 3);
    EXPECT_EQ(Known.GetExeName(), "/opt/books/demo");
    EXPECT_EQ(Demon.Lookups, 1);

    TEntity Unknown(&Demon);
    Unknown.Handle = 8;
    TMemoryStream Stream;
    Unknown.WriteTo(Stream);
    EXPECT_EQ(Demon.Lookups, 3);
    EXPECT_EQ(Stream.Size(), 16);
    EXPECT_EQ(Unknown.Handle, 8);
}

TEST(Entity, MutexNameUsesTheFileNameOnly)
{
    TEntity Entity;
    Entity.ExeName = "C:\\Books\\demo.exe";
    EXPECT_EQ(Entity.MutexName(), "LX_demo.exe");
    Entity.ExeName = "/opt/x/fokalis";
    EXPECT_EQ(Entity.MutexName(), "LX_fokalis");
    Entity.ExeName = "D:demo.exe";
    EXPECT_EQ(Entity.MutexName(), "LX_demo.exe");
    Entity.ExeName = "plain";
    EXPECT_EQ(Entity.MutexName(), "LX_plain");
}
