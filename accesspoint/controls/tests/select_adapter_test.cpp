// The adapter selection dialog on the access point utility's template 116, over the three
// adapters of a world read through the library: the chosen index on OK, a valid index on
// Escape, the fields of the entry shown, and the dialog written to PNG.
#include "accesspoint/controls/tests/HotvaneFixture.h"
#include "platform/gdi/WindowSurfaces.h"
#include "station/controls/SelCardDlg.h"

#include <cstring>
#include <vector>

namespace {

constexpr SelCardLayout kHotvaneSelCard { 116, 6094, 6095, 6097, 1098, 1099, true };

class SelectAdapterTest : public HotvaneTest {
protected:
    std::string scenario() const override
    {
        return "[adapter:usb]\nname = USB Wireless LAN Card\ndescription = Vexlor 802.11n USB Adapter\n"
               "hardware_id = USB\\VID_1A2B&PID_3C4D\nlocation = Port_#0002.Hub_#0001\n"
               "[adapter:pci]\nname = PCIe Wireless Adapter\ndescription = Vexlor 802.11n PCIe Adapter\n"
               "hardware_id = PCI\\VEN_1A2B&DEV_0781\nlocation = PCI bus 3, device 0, function 0\n"
               "[adapter:card]\nname = CardBus Wireless\ndescription = Vexlor 802.11g CardBus\n"
               "hardware_id = PCMCIA\\VEXLOR-CB54\nlocation = Socket 1\n";
    }

    // The library's list, asked again with the count it gave, as the hidden dialog asks.
    std::vector<std::uint8_t> adapters()
    {
        std::vector<std::uint8_t> list(4 + sizeof(AdapterEntry));
        EXPECT_EQ(hotvane::G_VxApApi.VXAP_GetAvailableAdapters(list.data(), 1), -10);
        std::uint32_t count = 0;
        std::memcpy(&count, list.data(), 4);
        list.assign(4 + count * sizeof(AdapterEntry), 0);
        EXPECT_EQ(hotvane::G_VxApApi.VXAP_GetAvailableAdapters(list.data(), int(count)), 1);
        return list;
    }

    // Runs the dialog over the list; `act` plays in its modal loop.
    int run(std::function<void(HWND)> act)
    {
        auto list = adapters();
        std::uint32_t count = 0;
        std::memcpy(&count, list.data(), 4);
        platform::user::set_modal_hook(act);
        CSelCardDlg dialog(&parent, kHotvaneSelCard);
        dialog.SetAdapterList(reinterpret_cast<AdapterEntry const*>(list.data() + 4), int(count));
        dialog.DoModal();
        return dialog.chosen_index();
    }

    static void choose(HWND dlg, int index)
    {
        HWND combo = GetDlgItem(dlg, 6094);
        SendMessage(combo, CB_SETCURSEL, WPARAM(index), 0);
        SendMessage(dlg, WM_COMMAND, MAKEWPARAM(6094, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    }
};

}

TEST_F(SelectAdapterTest, OkAnswersTheChosenAdapterWithItsFields)
{
    std::vector<std::string> shown;
    int const chosen = run([&](HWND dlg) {
        shown.push_back(text_of(dlg));
        choose(dlg, 2);
        for (int id : { 6095, 6097, 1098, 1099 })
            shown.push_back(text_of(GetDlgItem(dlg, id)));
        PostMessage(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(shown, (std::vector<std::string> { "Select wireless lan card", "CardBus Wireless", "Vexlor 802.11g CardBus",
                         "PCMCIA\\VEXLOR-CB54", "Socket 1" }));
}

TEST_F(SelectAdapterTest, EscapeAnswersTheAdapterShownThen)
{
    EXPECT_EQ(run([](HWND dlg) { PostMessage(dlg, WM_COMMAND, IDCANCEL, 0); }), 0) << "the first at first";
    EXPECT_EQ(run([](HWND dlg) {
        choose(dlg, 1);
        PostMessage(dlg, WM_COMMAND, IDCANCEL, 0);
    }),
        1);
    EXPECT_EQ(run([](HWND dlg) {
        SendMessage(GetDlgItem(dlg, 6094), CB_SETCURSEL, WPARAM(-1), 0);
        PostMessage(dlg, WM_CLOSE, 0, 0);
    }),
        0)
        << "no selection never answers an index outside the list";
}

TEST_F(SelectAdapterTest, IsWrittenToPng)
{
    std::filesystem::create_directories(TEST_OUTPUT_DIR);
    std::string const path = TEST_OUTPUT_DIR "/select_adapter_116.png";
    std::filesystem::remove(path);
    run([&](HWND dlg) {
        choose(dlg, 0);
        pump();
        EXPECT_TRUE(platform::gdi::write_window_png(dlg, path));
        PostMessage(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(std::filesystem::exists(path));
}
