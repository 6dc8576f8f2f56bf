// The 802.1X settings block: the values every owner resets to, and blob copies by length.
#include "station/core/EapSettingData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

TEST(EapSettingData, ResetGivesPeapWithMschapV2ProvisioningAndCachedUserInformation)
{
    EAP_SETTING_DATA block;
    block.nEapMethod = EAP_TLS;
    block.nTunnel = block.nProvisioningTunnel = block.nTtlsTunnel = 72;
    block.nSessionResumption = block.nPasswordMode = block.bClientCert = block.bServerCert = block.bPAC = 5;
    block.bProvision = block.bCacheUserInfo = 0;
    block.bIntermediateCert = block.nServerNameRule = block.bClientCertInSmartCard = block.nIDModeIndex = 7;
    block.nReserved1 = block.nReserved2 = 9;
    block.strIdentity = block.strPassword = block.strText3 = block.strText4 = "x";
    block.strPACFilePath = block.strServerName = "y";
    block.strDomainName = "CORP";
    block.CACert.BlobLength = block.UserCert.BlobLength = 152;
    std::memset(block.CACert.BlobData, 0xAB, sizeof block.CACert.BlobData);
    std::memset(block.UserCert.BlobData, 0xCD, sizeof block.UserCert.BlobData);

    block.Reset();
    EXPECT_EQ(block.nEapMethod, 0);
    EXPECT_EQ(block.nTunnel, 26);
    EXPECT_EQ(block.nProvisioningTunnel, 26);
    EXPECT_EQ(block.nTtlsTunnel, 26);
    EXPECT_EQ(block.nSessionResumption, 0);
    EXPECT_EQ(block.nPasswordMode, 1);
    EXPECT_EQ(block.bProvision, 1);
    EXPECT_EQ(block.bCacheUserInfo, 1);
    for (int value : { block.bClientCert, block.bServerCert, block.bPAC, block.bIntermediateCert, block.nServerNameRule,
             block.bClientCertInSmartCard, block.nIDModeIndex, block.nReserved1, block.nReserved2 })
        EXPECT_EQ(value, 0);
    for (auto const* text : { &block.strIdentity, &block.strPassword, &block.strText3, &block.strText4,
             &block.strPACFilePath, &block.strServerName })
        EXPECT_TRUE(text->empty());
    EXPECT_EQ(block.strDomainName, "CORP") << "the reset leaves the domain name";
    for (KT_BLOB_KEY const* blob : { &block.CACert, &block.UserCert }) {
        EXPECT_EQ(blob->BlobLength, 0u);
        EXPECT_TRUE(std::all_of(blob->BlobData, blob->BlobData + 150, [](std::uint8_t b) { return b == 0; }));
    }
}

TEST(EapSettingData, BlobsAreCopiedByTheirLengthUpTo152Bytes)
{
    struct Case {
        char const* name;
        std::uint32_t length;
        bool copied;
    } const cases[] = { { "empty", 0, true }, { "one byte", 1, true }, { "full", 152, true }, { "past the data", 153, false },
        { "corrupted", 0xFFFFFFFF, false } };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        KT_BLOB_KEY from {};
        from.BlobLength = c.length;
        std::memset(from.BlobData, 0x5A, sizeof from.BlobData);
        KT_BLOB_KEY to {};
        to.BlobLength = 77;
        std::memset(to.BlobData, 0xEE, sizeof to.BlobData);
        EXPECT_EQ(CopyEapBlob(to, from), c.copied);
        if (!c.copied) {
            EXPECT_EQ(to.BlobLength, 77u) << "left untouched";
            EXPECT_EQ(to.BlobData[0], 0xEE);
            continue;
        }
        EXPECT_EQ(to.BlobLength, c.length);
        for (std::uint32_t i = 0; i < sizeof to.BlobData; ++i)
            ASSERT_EQ(to.BlobData[i], i < c.length ? 0x5A : 0xEE) << "byte " << i;
    }
}
