#include "DictionaryBytes.h"

#include "TTolkar2000.h"

#include <gtest/gtest.h>

namespace {

// The bound holds to the byte, whoever asks (a file reader before reading, the page before
// copying what it fetched), and refused bytes leave the engine's texts as they were.
TEST(DictionaryBytes, SizeBoundHoldsToTheByteAndRefusalsKeepTheTexts)
{
    EXPECT_EQ(DictionarySizeProblem(MaxDictionarySize), std::nullopt);
    EXPECT_EQ(DictionarySizeProblem(MaxDictionarySize + 1), "it is larger than 64 MiB");

    TTolkar2000 Engine;
    EXPECT_EQ(LoadDictionaryBytes(Engine, "[Exit]=Beenden|$$\r\n"), std::nullopt);
    EXPECT_EQ(LoadDictionaryBytes(Engine, "[Exit]=Quit|$$\r\n[About]=Ab"),
        "it ends inside an entry (the file may have been cut short)");
    EXPECT_EQ(Engine.Translate("Exit"), "Beenden");
}

} // namespace
