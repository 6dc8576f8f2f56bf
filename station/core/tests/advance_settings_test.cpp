#include "station/core/AdvanceSettings.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// TRANSMIT_SETTING fields at their bit positions: PhyMode 0-3, MCS 4-10, BW 11, ShortGI 12,
// STBC 13, TRANSNO 14-15, HTMODE 16, EXTCHA 17-18, LEGACYMODE 19-20.
std::uint32_t transmit_word(unsigned phy, unsigned mcs, unsigned bw, unsigned sgi, unsigned stbc, unsigned transno,
    unsigned htmode, unsigned extcha, unsigned legacy)
{
    return phy | mcs << 4 | bw << 11 | sgi << 12 | stbc << 13 | transno << 14 | htmode << 16 | extcha << 17 | legacy << 19;
}

TRANSMIT_SETTING transmit(unsigned phy, unsigned mcs, unsigned bw, unsigned sgi, unsigned stbc, unsigned choice,
    unsigned extcha)
{
    TRANSMIT_SETTING t;
    t.PhyMode = phy;
    t.MCS = mcs;
    t.BW = bw;
    t.ShortGI = sgi;
    t.STBC = stbc;
    t.TransNo = 2;
    t.HtChoice = choice;
    t.ExtCha = extcha;
    return t;
}

}

TEST(TransmitSetting, PacksTheGoldenWordsAndReadsThemBack)
{
    struct Case {
        char const* name;
        TRANSMIT_SETTING fields;
        std::uint32_t word;
    };
    Case const cases[] = {
        { "mode 9, MCS Auto, BW/SGI/STBC Auto, MM", transmit(9, 33, 1, 1, 1, HT_CHOICE_MM, 0), 0x0000BA19 },
        { "mode 5, MCS Force Short GI, SGI Auto, 11g", transmit(5, 77, 0, 1, 0, HT_CHOICE_11G, 0), 0x001894D5 },
        { "mode 8, MCS 7, BW Auto, GF, above", transmit(8, 7, 1, 0, 0, HT_CHOICE_GF, 1), 0x00038878 },
        { "11b goes to LEGACYMODE 2", transmit(0, 0, 0, 0, 0, HT_CHOICE_11B, 2), 0x00148000 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PackTransmitSetting(c.fields), c.word);
        TRANSMIT_SETTING const back = UnpackTransmitSetting(c.word);
        EXPECT_EQ(back.PhyMode, c.fields.PhyMode);
        EXPECT_EQ(back.MCS, c.fields.MCS);
        EXPECT_EQ(back.BW, c.fields.BW);
        EXPECT_EQ(back.ShortGI, c.fields.ShortGI);
        EXPECT_EQ(back.STBC, c.fields.STBC);
        EXPECT_EQ(back.TransNo, 2u);
        EXPECT_EQ(back.HtChoice, c.fields.HtChoice);
        EXPECT_EQ(back.ExtCha, c.fields.ExtCha);
        EXPECT_EQ(PackTransmitSetting(back), c.word);
    }
}

TEST(TransmitSetting, KeepsTheUnusedBitsAndOddLegacyValuesThroughARoundTrip)
{
    for (std::uint32_t word : { 0xFFE00000u | transmit_word(3, 15, 0, 1, 0, 1, 1, 2, 0), transmit_word(9, 0, 1, 0, 0, 2, 1, 0, 1),
             0xFFFEFFFFu }) {
        SCOPED_TRACE(word);
        EXPECT_EQ(PackTransmitSetting(UnpackTransmitSetting(word)), word);
    }
    // LEGACYMODE 1 is no legacy choice: the HT mode bit decides.
    EXPECT_EQ(UnpackTransmitSetting(transmit_word(9, 0, 0, 0, 0, 2, 1, 0, 1)).HtChoice, HT_CHOICE_GF);
}

TEST(Ccx2Control, PacksTheGoldenWordsAndReadsThemBack)
{
    // Enable 0, CCKM 1, RM 2, DCRM 3, CAC 4, FastRoam 5, dBmToRoam 8-15, TuLimit 16-25.
    CCX2_CONTROL off;
    off.dBmToRoam = 70;
    CCX2_CONTROL on;
    on.Flags = 1u << 0 | 1u << 1 | 1u << 2 | 1u << 3 | 1u << 5;
    on.TuLimit = 250;
    on.dBmToRoam = 75;
    EXPECT_EQ(PackCcx2Control(off), 0x00004600u);
    EXPECT_EQ(PackCcx2Control(on), 0x00FA4B2Fu);
    for (std::uint32_t word : { 0x00004600u, 0x00FA4B2Fu, 0xFFFFFFFFu, 1u << 26 | 1u << 27 | 1u << 28 | 1023u << 16 }) {
        SCOPED_TRACE(word);
        EXPECT_EQ(PackCcx2Control(UnpackCcx2Control(word)), word);
    }
    CCX2_CONTROL const back = UnpackCcx2Control(0x00FA4B2F);
    EXPECT_EQ(back.TuLimit, 250u);
    EXPECT_EQ(back.dBmToRoam, 75u);
    EXPECT_EQ(back.Flags, 0x2Fu);
}

TEST(Ccx2Control, FastRoamingSwitchRewritesOnlyItsFields)
{
    // Off over a stored word with fast roaming at -90: 70, bit 5 clear, the rest kept.
    EXPECT_EQ(CcxWordWithRoaming(0x00005A20, false, -90), 0x00004600u);
    EXPECT_EQ(CcxWordWithRoaming(0xE0FA0001, false, -50), 0xE0FA4601u);
    // On: bit 5 and the magnitude of the threshold.
    EXPECT_EQ(CcxWordWithRoaming(0x0000460F, true, -75), 0x00004B2Fu);
}

TEST(Ccx2Control, StoredRoamingThresholdsOutsideTheRangeShowMinus70)
{
    struct Case {
        std::uint32_t stored;
        int shown;
    };
    for (Case c : { Case { 40, -40 }, Case { 90, -90 }, Case { 75, -75 }, Case { 95, -70 }, Case { 30, -70 }, Case { 0, -70 } }) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(RoamingThresholdFromStored(c.stored), c.shown);
    }
}

TEST(AdvanceOid, StoredRecordsApplyAsTheTableSays)
{
    struct Case {
        char const* name;
        std::uint32_t transmit;
        unsigned phy, transno, ht, extcha, mcs, bw, stbc, sgi;
    };
    Case const cases[] = {
        { "MM keeps its width", transmit_word(9, 15, 1, 1, 1, 2, 0, 2, 0), 9, 2, 0, 2, 15, 1, 1, 1 },
        { "GF", transmit_word(8, 7, 1, 0, 0, 2, 1, 1, 0), 8, 2, 1, 1, 7, 1, 0, 0 },
        { "legacy 2 with the BW bit set gives BW 0", transmit_word(5, 33, 1, 1, 0, 2, 1, 0, 2), 5, 2, 2, 0, 33, 0, 0, 1 },
        { "legacy 3 keeps the BW bit", transmit_word(5, 77, 1, 0, 1, 2, 0, 0, 3), 5, 2, 3, 0, 77, 1, 1, 0 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        ADVANCE_CONFIG_DATA config {};
        config.TransmitSetting = c.transmit;
        config.BGProtection = 2;
        config.TXBurst = 1;
        config.CountryRegion = 5;
        config.CountryRegionABand = 9;
        config.WirelessMode = 7;
        config.TransRate = 12;
        ADVANCE_OID const oid = BuildAdvanceOid(config);
        EXPECT_EQ(oid.PhyMode, c.phy);
        EXPECT_EQ(oid.TransmitNo, c.transno);
        EXPECT_EQ(oid.HtMode, c.ht);
        EXPECT_EQ(oid.ExtOffset, c.extcha);
        EXPECT_EQ(oid.MCS, c.mcs);
        EXPECT_EQ(oid.BW, c.bw);
        EXPECT_EQ(oid.STBC, c.stbc);
        EXPECT_EQ(oid.SHORTGI, c.sgi);
        EXPECT_EQ(oid.Reserved, 0);
        EXPECT_EQ(oid.nBGProtection, 2u);
        EXPECT_EQ(oid.bTXBurst, 1u);
        EXPECT_EQ(oid.CountryRegIndex11BG, 5u);
        EXPECT_EQ(oid.CountryRegIndex11A, 9u);
        EXPECT_EQ(oid.KTphyMode, 7u);
        EXPECT_EQ(oid.nTXRate, 12u);
    }
}

TEST(AdvanceConfig, ThePageStoresItsChoicesAndAppliesTheSame)
{
    ADVANCE_PAGE_VALUES v;
    v.WirelessMode = 9;
    v.BGProtection = 1;
    v.TransRate = 4;
    v.TXBurst = 1;
    v.EnableTcpWindowSize = 1;
    v.ShowAuthStatus = 1;
    v.Region24 = 5;
    v.Region5 = 10;
    v.Transmit = transmit(0, 33, 1, 1, 1, HT_CHOICE_MM, 1);
    v.Transmit.TransNo = 0;

    ADVANCE_CONFIG_DATA const stored = BuildAdvanceConfig(v, 0x00004600, true, true, true);
    EXPECT_EQ(stored.TransmitSetting, 0x0002BA19u); // mode 9 packed, TRANSNO 2, EXTCHA 1
    EXPECT_EQ(stored.WirelessMode, 9u);
    EXPECT_EQ(stored.BGProtection, 1u);
    EXPECT_EQ(stored.TransRate, 4u);
    EXPECT_EQ(stored.TXBurst, 1u);
    EXPECT_EQ(stored.EnableTcpWindowSize, 1u);
    EXPECT_EQ(stored.ShowAuthStatus, 1u);
    EXPECT_EQ(stored.CountryRegion, 5u);
    EXPECT_EQ(stored.CountryRegionABand, 10u);
    EXPECT_EQ(stored.CCX2Control, 0x00004600u);

    ADVANCE_OID const applied = BuildPageAdvanceOid(v);
    ADVANCE_OID const activated = BuildAdvanceOid(stored);
    EXPECT_EQ(std::memcmp(&applied, &activated, sizeof applied), 0);
    EXPECT_EQ(applied.TransmitNo, 2);
    EXPECT_EQ(applied.ExtOffset, 1);
}

TEST(AdvanceConfig, ClearBandFlagsStoreRegionZeroAndNo11nStoresNoTransmitWord)
{
    ADVANCE_PAGE_VALUES v;
    v.WirelessMode = 3;
    v.Region24 = 5;
    v.Region5 = 10;
    v.Transmit = transmit(0, 7, 1, 1, 1, HT_CHOICE_GF, 2);
    ADVANCE_CONFIG_DATA const stored = BuildAdvanceConfig(v, 0, false, false, false);
    EXPECT_EQ(stored.TransmitSetting, 0u);
    EXPECT_EQ(stored.CountryRegion, 0u);
    EXPECT_EQ(stored.CountryRegionABand, 0u);
    EXPECT_EQ(BuildAdvanceConfig(v, 0, true, false, false).CountryRegion, 5u);
    EXPECT_EQ(BuildAdvanceConfig(v, 0, false, true, false).CountryRegionABand, 10u);
    // The driver still gets both indexes as chosen.
    ADVANCE_OID const applied = BuildPageAdvanceOid(v);
    EXPECT_EQ(applied.CountryRegIndex11BG, 5u);
    EXPECT_EQ(applied.CountryRegIndex11A, 10u);
    EXPECT_EQ(applied.PhyMode, 3u);
}

TEST(WirelessMode, EntriesMapToTheirCodes)
{
    using E = WirelessModeEntry;
    struct Case {
        E entry;
        std::uint32_t without_11n, with_11n;
    };
    for (Case c : { Case { E::Band24, 0, 9 }, Case { E::Band5, 2, 8 }, Case { E::Dual, 3, 5 } }) {
        EXPECT_EQ(WirelessModeCode(c.entry, false), c.without_11n);
        EXPECT_EQ(WirelessModeCode(c.entry, true), c.with_11n);
        EXPECT_EQ(WirelessModeEntryOf(c.without_11n, false, true), c.entry);
        EXPECT_EQ(WirelessModeEntryOf(c.with_11n, true, true), c.entry);
    }
}

TEST(WirelessMode, CodesOutsideTheTableOrTheAdapterShow24Ghz)
{
    using E = WirelessModeEntry;
    struct Case {
        char const* name;
        std::uint32_t code;
        bool with_11n, has_11a;
    };
    Case const cases[] = {
        { "dual band without 802.11a", 5, true, false },
        { "5 GHz without 802.11a", 2, false, false },
        { "an 802.11n code read as a legacy one", 5, false, true },
        { "a legacy code read as an 802.11n one", 3, true, true },
        { "code 7", 7, true, true },
        { "code 1", 1, false, true },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WirelessModeEntryOf(c.code, c.with_11n, c.has_11a), E::Band24);
    }
}

TEST(Mcs, TextsMapToStoredValues)
{
    struct Case {
        char const* text;
        std::uint32_t value;
    };
    for (Case c : { Case { "Auto", 33 }, Case { "Force Short GI", 77 }, Case { "32", 32 }, Case { "0", 0 }, Case { "23", 23 } }) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(McsValueOfText(c.text, "Auto"), c.value);
        EXPECT_EQ(McsTextOfValue(c.value, "Auto"), c.text);
    }
    EXPECT_EQ(McsTextOfValue(15, "Automatisch"), "15");
    EXPECT_EQ(McsTextOfValue(33, "Automatisch"), "Automatisch");
    for (char const* text : { "", "7x", "-1", "999" })
        EXPECT_EQ(McsValueOfText(text, "Auto"), 33u) << text;
}
