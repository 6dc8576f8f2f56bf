// The templates of the feature pages and lower-area dialogs, read from the station utility's
// resource file: every template exists, has the form the configuration window expects, holds
// the controls its page works with, and lays them out without overlaps.
#include "FeaturesFixture.h"

#include "platform/framework/Resources.h"

#include <algorithm>
#include <set>
#include <vector>

using platform::framework::DialogControlResource;
using platform::framework::DialogResource;

namespace {

std::vector<int> range(int first, int last)
{
    std::vector<int> ids;
    for (int id = first; id <= last; ++id)
        ids.push_back(id);
    return ids;
}

std::vector<int> join(std::vector<int> a, std::vector<int> const& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct TemplateCase {
    char const* name;
    int id;
    int height; // pages 150, lower-area dialogs 110 (dialog units)
    std::vector<int> controls;
    std::vector<int> hidden; // controls that start hidden
};

std::vector<TemplateCase> const& cases()
{
    static std::vector<TemplateCase> const table = {
        { "advanced", 123, 150,
            join(join(range(1298, 1312), range(1271, 1281)),
                { 1249, 1282, 1250, 1283, 1251, 1234, 1256, 1284, 1257, 1285, 1584, 1286, 1245, 1287, 1260, 1288, 1289,
                    1290, 1252, 1291, 1253, 1628, 1629, 1599, 1600, 1601, 1602, 1220, 1221, 1222, 1223, 1255, 1641, 1642,
                    1044 }),
            { 1306, 1309, 1279, 1280, 1281, 1310, 1311, 1312 } },
        { "WMM", 117, 150, range(1081, 1114), {} },
        { "802.11n", 118, 150,
            join(range(1115, 1129),
                { 1132, 1133, 1134, 1135, 1136, 1137, 1138, 1139, 1140, 1141, 1142, 1143, 1144, 1145, 1146, 1147, 1148,
                    1149, 1150, 112, 1043, 1654, 1649, 1650, 1651, 1652, 1645, 1646, 1647, 1648, 1653, 1616 }),
            { 1115, 1118, 1138, 1132, 1133, 1135 } },
        { "WPS", 119, 150, join(range(1151, 1158), range(1162, 1182)), { 1157, 1181 } },
        { "about", 120, 150, join(range(1183, 1199), { 1617, 1618, 1619, 1620 }), { 1196, 1199 } },
        { "hosted network", 261, 150,
            { 1627, 1628, 1051, 1396, 1424, 1245, 1418, 1419, 1630, 1629, 1632, 1631, 1634, 1633, 1635, 1636, 1044 },
            { 1051, 1396 } },
        { "CCX", 437, 150,
            { 1261, 1577, 1262, 1293, 1263, 1294, 1264, 1295, 1246, 1296, 1568, 1578, 1570, 1580, 1571, 1581, 1572,
                1582, 1569, 1579, 1622, 1623, 1563, 1542, 1574, 1583, 1611, 1522, 1605, 1606, 1608, 1607, 1609, 1612,
                1610, 1575, 1044 },
            { 1568, 1578, 1571, 1581 } },
        { "add block ack", 175, 110, { 1374, 1377, 1373, 1375, 1245, 1376, 1331, 1372 }, {} },
        { "delete block ack", 177, 110, { 1374, 1377, 1373, 1375, 1331, 1372 }, {} },
        { "WPS profile", 433, 110,
            { 1331, 1372, 1055, 1246, 1344, 1356, 1502, 1590, 1503, 1504, 1506, 1505, 1507, 1418, 1419, 1509, 1514,
                1045, 1510, 1340, 1511, 1512, 1347, 1513 },
            { 1504, 1506, 1505, 1507 } },
        { "hosted network stations", 263, 110, { 1629, 1630, 1631, 1632 }, {} },
    };
    return table;
}

bool visible(DialogControlResource const& c) { return c.style & WS_VISIBLE; }

bool is_group_box(DialogControlResource const& c)
{
    return c.class_name == "Button" && (c.style & 0xF) == BS_GROUPBOX;
}

// What a control covers on the page: a drop list only its closed field.
RECT footprint(DialogControlResource const& c)
{
    RECT r = c.rect;
    if (c.class_name == "ComboBox")
        r.bottom = std::min<LONG>(r.bottom, r.top + 14);
    return r;
}

bool overlap(RECT const& a, RECT const& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

DialogControlResource const* find(DialogResource const& d, int id)
{
    for (DialogControlResource const& c : d.controls) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

}

class FeatureTemplatesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(resources.load(FEATURES_RESOURCES)); }

    platform::framework::ResourceSet resources;
};

TEST_F(FeatureTemplatesTest, EveryTemplateIsInTheResources)
{
    std::vector<int> ids;
    for (TemplateCase const& c : cases())
        ids.push_back(c.id);
    EXPECT_EQ(platform::framework::missing_resources(resources, "dialog", ids), std::vector<std::string> {});
    for (std::string const& error : resources.errors())
        EXPECT_EQ(error.find("Features.res"), std::string::npos) << error;
}

TEST_F(FeatureTemplatesTest, TemplatesAreCaptionlessChildrenInTheSharedFont)
{
    for (TemplateCase const& c : cases()) {
        SCOPED_TRACE(c.name);
        DialogResource const* d = resources.dialog(c.id);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->style, DWORD { WS_CHILD | DS_SETFONT });
        EXPECT_EQ(d->caption, "");
        EXPECT_EQ(d->font_face, "Trebuchet MS");
        EXPECT_EQ(d->font_points, 8);
        EXPECT_EQ(d->rect.right - d->rect.left, 353);
        EXPECT_EQ(d->rect.bottom - d->rect.top, c.height);
    }
}

TEST_F(FeatureTemplatesTest, TemplatesHoldTheirControlsOnceAndHideTheRightOnes)
{
    for (TemplateCase const& c : cases()) {
        SCOPED_TRACE(c.name);
        DialogResource const* d = resources.dialog(c.id);
        ASSERT_NE(d, nullptr);
        std::set<int> const hidden(c.hidden.begin(), c.hidden.end());
        for (int id : c.controls) {
            DialogControlResource const* control = find(*d, id);
            ASSERT_NE(control, nullptr) << "control " << id;
            EXPECT_EQ(visible(*control), !hidden.count(id)) << "control " << id;
        }
        std::multiset<int> ids;
        for (DialogControlResource const& control : d->controls)
            ids.insert(control.id);
        for (int id : ids)
            EXPECT_EQ(ids.count(id), 1u) << "control " << id << " twice";
        EXPECT_EQ(d->controls.size(), c.controls.size()) << "controls the page does not know";
    }
}

// Every control lies on its page, and no two visible controls cover each other (a group box
// frames others and is left out). Hidden controls may share a place with the visible ones
// they stand in for.
TEST_F(FeatureTemplatesTest, VisibleControlsFitThePageWithoutOverlapping)
{
    for (TemplateCase const& c : cases()) {
        SCOPED_TRACE(c.name);
        DialogResource const* d = resources.dialog(c.id);
        ASSERT_NE(d, nullptr);
        for (DialogControlResource const& a : d->controls) {
            RECT const r = footprint(a);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= 353 && r.bottom <= c.height) << "control " << a.id;
            if (!visible(a) || is_group_box(a))
                continue;
            for (DialogControlResource const& b : d->controls) {
                if (&b == &a || !visible(b) || is_group_box(b) || b.id < a.id)
                    continue;
                EXPECT_FALSE(overlap(r, footprint(b))) << "controls " << a.id << " and " << b.id;
            }
        }
    }
}
