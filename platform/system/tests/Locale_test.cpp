#include "platform/system/LocaleTable.h"

#include <gtest/gtest.h>

using platform::system::language_id_for_locale;

TEST(LocaleTable, MapsLocaleNamesToLanguageIds)
{
    struct Case {
        char const* locale;
        std::uint16_t id;
    } const cases[] = {
        { "en_US.UTF-8", 0x0409 }, { "en_GB", 0x0409 }, { "en", 0x0409 }, { "C", 0x0409 }, { "POSIX", 0x0409 },
        { "", 0x0409 }, { "zh_TW.UTF-8", 0x0404 }, { "zh_HK.Big5", 0x0404 }, { "zh_CN.GB2312", 0x0804 },
        { "zh_SG", 0x0804 }, { "zh_cn.utf8", 0x0804 }, { "de_DE@euro", 0x0407 }, { "fr_FR", 0x040C },
        { "ja_JP.eucJP", 0x0411 }, { "ko_KR", 0x0412 }, { "ru_RU", 0x0419 }, { "pt_BR", 0x0416 },
        { "xx_YY", 0x0409 }, { "zhx", 0x0409 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(language_id_for_locale(c.locale), c.id);
    }
}
