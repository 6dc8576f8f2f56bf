// The set-up of the property sheet's tests: the access point utility's window fixture with its
// adapter selected and serving, as the hidden dialog leaves it at start, a sheet made with the
// fixture's window as parent, and wlansim run as the user runs it on the same world.
#pragma once

#include "accesspoint/controls/tests/HotvaneFixture.h"
#include "accesspoint/pages/EventArray.h"
#include "accesspoint/pages/VxPropSheet.h"
#include "platform/user/Clock.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

class SheetTest : public HotvaneTest {
protected:
    void SetUp() override
    {
        HotvaneTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(serve());
        hotvane::G_aryEventLog.RemoveAll();
        hotvane::G_nEventLogShown = 0;
    }

    void TearDown() override
    {
        sheet.reset();
        hotvane::G_aryEventLog.RemoveAll();
        hotvane::G_nEventLogShown = 0;
        HotvaneTest::TearDown();
    }

    // The adapter selected and the stored configuration applied: the access point serves.
    void serve()
    {
        using hotvane::G_VxApApi;
        std::vector<std::uint8_t> list(4 + sizeof(AdapterEntry));
        ASSERT_EQ(G_VxApApi.VXAP_GetAvailableAdapters(list.data(), 1), 1);
        std::memcpy(&G_VxApApi.adapter, list.data() + 4, sizeof(AdapterEntry));
        G_VxApApi.VXAP_Initial("Vexlor", parent.m_hWnd);
        G_VxApApi.VXAP_AdapterSelect(&G_VxApApi.adapter, 0, parent.m_hWnd);
        G_VxApApi.VXAP_SetOPMode(1);
        advance(500); // the default adapter's driver starts in half a second
        ApConfigData config {};
        ApOptionData options {};
        G_VxApApi.VXAP_ReadConfigData(&config);
        G_VxApApi.VXAP_SetConfigData(&config, &options);
        settle();
    }

    void advance(unsigned ms)
    {
        platform::manual_clock()->advance(ms);
        settle();
    }

    void open_sheet()
    {
        sheet = std::make_unique<hotvane::CVxPropSheet>(hotvane::G_UiStr.IDS_VEXLOR_CONFIG_TITLE.c_str(), &parent);
        ASSERT_TRUE(sheet->Create());
        pump();
    }

    // Runs wlansim with `args` on this test's world; its output, empty when all went well.
    static std::string wlansim(std::string const& args)
    {
        FILE* pipe = ::popen((std::string(WLANSIM_PATH) + " " + args + " 2>&1").c_str(), "r");
        std::string out;
        std::array<char, 256> buffer {};
        while (pipe && std::fgets(buffer.data(), int(buffer.size()), pipe))
            out += buffer.data();
        if (pipe)
            ::pclose(pipe);
        return out;
    }

    // The world after a wlansim command, as the library sees it on its next call.
    void world(std::string const& args)
    {
        EXPECT_EQ(wlansim(args), "") << args;
        advance(10);
    }

    std::vector<std::string> tabs() const
    {
        std::vector<std::string> texts;
        CTabCtrl* tab = sheet->GetTabControl();
        for (int i = 0; i < tab->GetItemCount(); ++i) {
            char text[128] {};
            TCITEM item {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            tab->GetItem(i, &item);
            texts.emplace_back(text);
        }
        return texts;
    }

    static std::vector<std::vector<std::string>> rows(CListCtrl& list, int columns)
    {
        std::vector<std::vector<std::string>> out;
        for (int i = 0; i < list.GetItemCount(); ++i) {
            std::vector<std::string> row;
            for (int c = 0; c < columns; ++c)
                row.emplace_back(list.GetItemText(i, c).GetString());
            out.push_back(std::move(row));
        }
        return out;
    }

    std::string shown(CWnd& page, int id) const { return text_of(::GetDlgItem(page.m_hWnd, id)); }
    bool visible(CWnd& page, int id) const { return ::IsWindowVisible(::GetDlgItem(page.m_hWnd, id)) != FALSE; }

    std::unique_ptr<hotvane::CVxPropSheet> sheet;
};
