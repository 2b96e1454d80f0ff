#include "platform/com/guid.h"

#include <gtest/gtest.h>

namespace {

constexpr GUID sample = com::make_guid("7DDD0D92-7DEA-4C30-B190-4718A1F60FB0");

TEST(Guid, LiteralAndTextRoundTrip)
{
    static_assert(sample.Data1 == 0x7DDD0D92u && sample.Data4[7] == 0xB0);
    EXPECT_EQ(com::guid_to_string(sample), u"{7DDD0D92-7DEA-4C30-B190-4718A1F60FB0}");
    GUID parsed{};
    ASSERT_EQ(IIDFromString(u"{7ddd0d92-7dea-4c30-b190-4718a1f60fb0}", &parsed), S_OK);
    EXPECT_TRUE(IsEqualGUID(parsed, sample));
    EXPECT_FALSE(parsed == IID_NULL);
}

TEST(Guid, MalformedTextIsRefused)
{
    for (const char16_t* text :
         {u"", u"7DDD0D92-7DEA-4C30-B190-4718A1F60FB0", u"{7DDD0D92-7DEA-4C30-B190-4718A1F60FBX}",
          u"{7DDD0D92-7DEA-4C30-B1904-718A1F60FB0}", u"{7DDD0D92-7DEA-4C30-B190-4718A1F60FB0"}) {
        GUID g{};
        EXPECT_EQ(IIDFromString(text, &g), E_INVALIDARG) << std::string(text, text + std::u16string_view(text).size());
    }
}

TEST(Guid, StringFromGuid2NeedsRoomForTheNul)
{
    OLECHAR buffer[39];
    EXPECT_EQ(StringFromGUID2(sample, buffer, 38), 0);
    EXPECT_EQ(StringFromGUID2(sample, buffer, 39), 39);
    EXPECT_EQ(std::u16string_view(buffer), u"{7DDD0D92-7DEA-4C30-B190-4718A1F60FB0}");
}

} // namespace
