// The desktop's tray over D-Bus, against a private bus: a test double plays the
// StatusNotifierWatcher (it records registrations, and can refuse them) and the host (it
// reads an item's properties, hears its signals and calls its methods), as a desktop's panel
// would.
#include "DisplayFixture.h"
#include "TestIcons.h"

#include "platform/display/StatusNotifierTray.h"
#include "platform/system/tests/PrivateBus.h"

#include <systemd/sd-bus.h>

using namespace platform::display;
using display_test::DisplayTest;
using platform::system::testing::PrivateBus;

namespace {

constexpr char item_interface[] = "org.kde.StatusNotifierItem";
constexpr UINT tray_callback = WM_USER + 100;

struct Pixmap {
    int width {};
    int height {};
    std::vector<std::uint8_t> bytes;
};

class TrayDouble {
public:
    explicit TrayDouble(sd_bus* bus)
        : m_bus(bus)
    {
        sd_bus_match_signal(m_bus, nullptr, nullptr, nullptr, item_interface, "NewIcon", &TrayDouble::on_new_icon, this);
        sd_bus_match_signal(m_bus, nullptr, nullptr, nullptr, item_interface, "NewToolTip", &TrayDouble::on_new_tip, this);
    }
    ~TrayDouble()
    {
        sd_bus_slot_unref(m_watcher);
        sd_bus_flush_close_unref(m_bus);
    }

    sd_bus* bus() const { return m_bus; }

    // [SECTION] Watcher
    bool become_watcher()
    {
        return sd_bus_add_object_vtable(m_bus, &m_watcher, "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
                   watcher_vtable, this)
            >= 0
            && sd_bus_request_name(m_bus, "org.kde.StatusNotifierWatcher", 0) >= 0;
    }
    void stop_being_watcher()
    {
        sd_bus_release_name(m_bus, "org.kde.StatusNotifierWatcher");
        m_watcher = sd_bus_slot_unref(m_watcher);
    }

    struct Registration {
        std::string sender;
        std::string path;
    };
    std::vector<Registration> registered;
    bool refuse { false };
    int new_icons { 0 };
    int new_tips { 0 };

    // [SECTION] Host
    std::string tool_tip(Registration const& item)
    {
        sd_bus_message* reply = get(item, "ToolTip", "(sa(iiay)ss)");
        char const* icon_name = nullptr;
        char const* title = nullptr;
        char const* text = nullptr;
        std::string tip = "?";
        if (reply && sd_bus_message_enter_container(reply, 'r', "sa(iiay)ss") >= 0
            && sd_bus_message_read(reply, "s", &icon_name) >= 0 && sd_bus_message_skip(reply, "a(iiay)") >= 0
            && sd_bus_message_read(reply, "ss", &title, &text) >= 0)
            tip = std::string(title) + "|" + text;
        sd_bus_message_unref(reply);
        return tip;
    }

    Pixmap pixmap(Registration const& item)
    {
        sd_bus_message* reply = get(item, "IconPixmap", "a(iiay)");
        Pixmap out;
        void const* data = nullptr;
        std::size_t size = 0;
        if (reply && sd_bus_message_enter_container(reply, 'a', "(iiay)") > 0
            && sd_bus_message_enter_container(reply, 'r', "iiay") > 0
            && sd_bus_message_read(reply, "ii", &out.width, &out.height) >= 0
            && sd_bus_message_read_array(reply, 'y', &data, &size) >= 0) {
            auto const* bytes = static_cast<std::uint8_t const*>(data);
            out.bytes.assign(bytes, bytes + size);
        }
        sd_bus_message_unref(reply);
        return out;
    }

    std::string text_property(Registration const& item, char const* name)
    {
        char* value = nullptr;
        sd_bus_error error = SD_BUS_ERROR_NULL;
        std::string out = "?";
        if (sd_bus_get_property_string(m_bus, item.sender.c_str(), item.path.c_str(), item_interface, name, &error, &value) >= 0)
            out = value;
        free(value);
        sd_bus_error_free(&error);
        return out;
    }

    bool call(Registration const& item, char const* method, int x, int y)
    {
        sd_bus_error error = SD_BUS_ERROR_NULL;
        int r = sd_bus_call_method(m_bus, item.sender.c_str(), item.path.c_str(), item_interface, method, &error, nullptr,
            "ii", x, y);
        sd_bus_error_free(&error);
        return r >= 0;
    }

    bool has_owner(std::string const& name)
    {
        int has = 0;
        sd_bus_error error = SD_BUS_ERROR_NULL;
        sd_bus_message* reply = nullptr;
        if (sd_bus_call_method(m_bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                "NameHasOwner", &error, &reply, "s", name.c_str())
            >= 0)
            sd_bus_message_read(reply, "b", &has);
        sd_bus_message_unref(reply);
        sd_bus_error_free(&error);
        return has != 0;
    }

private:
    sd_bus_message* get(Registration const& item, char const* name, char const* type)
    {
        sd_bus_message* reply = nullptr;
        sd_bus_error error = SD_BUS_ERROR_NULL;
        if (sd_bus_get_property(m_bus, item.sender.c_str(), item.path.c_str(), item_interface, name, &error, &reply, type) < 0)
            reply = sd_bus_message_unref(reply);
        sd_bus_error_free(&error);
        return reply;
    }

    static int on_register(sd_bus_message* call, void* self, sd_bus_error* error)
    {
        auto* double_ = static_cast<TrayDouble*>(self);
        char const* path = nullptr;
        if (sd_bus_message_read(call, "s", &path) < 0)
            return -EINVAL;
        if (double_->refuse)
            return sd_bus_error_set(error, "org.freedesktop.DBus.Error.Failed", "not today");
        double_->registered.push_back({ sd_bus_message_get_sender(call), path });
        return sd_bus_reply_method_return(call, "");
    }
    static int on_new_icon(sd_bus_message*, void* self, sd_bus_error*)
    {
        ++static_cast<TrayDouble*>(self)->new_icons;
        return 0;
    }
    static int on_new_tip(sd_bus_message*, void* self, sd_bus_error*)
    {
        ++static_cast<TrayDouble*>(self)->new_tips;
        return 0;
    }

    static sd_bus_vtable const watcher_vtable[];
    sd_bus* m_bus;
    sd_bus_slot* m_watcher {};
};

sd_bus_vtable const TrayDouble::watcher_vtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("RegisterStatusNotifierItem", "s", "", &TrayDouble::on_register, 0),
    SD_BUS_VTABLE_END,
};

struct Mouse {
    UINT id;
    UINT message;
    POINT cursor;
};
std::vector<Mouse> g_mouse;

LRESULT tray_owner_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == tray_callback)
        g_mouse.push_back({ static_cast<UINT>(wparam), static_cast<UINT>(lparam), platform::user::cursor_position() });
    return DefWindowProc(hwnd, message, wparam, lparam);
}

class TrayRecorder final : public Presenter {
public:
    void damaged(HWND, RECT const&) override { }
    void tray_changed() override { ++changes; }
    std::string_view name() const override { return "recorder"; }
    int changes = 0;
};

class StatusNotifierTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (m_bus.address().empty())
            GTEST_SKIP() << "no dbus-daemon";
        g_mouse.clear();
        static bool registered = false;
        if (!registered) {
            WNDCLASS wc {};
            wc.lpfnWndProc = tray_owner_proc;
            wc.lpszClassName = "TrayOwner";
            registered = RegisterClass(&wc) != 0;
        }
        owner = CreateWindowEx(0, "TrayOwner", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
        sd_bus* bus = m_bus.client();
        ASSERT_NE(bus, nullptr);
        desktop = std::make_unique<TrayDouble>(bus);
        auto recorder = std::make_unique<TrayRecorder>();
        presenter = recorder.get();
        install_presenter(std::move(recorder));
    }

    void TearDown() override
    {
        set_desktop_tray(nullptr);
        bus_tray.reset();
        desktop.reset();
        for (HICON icon : m_icons)
            DestroyIcon(icon);
        DisplayTest::TearDown();
    }

    void start_tray()
    {
        std::string error;
        bus_tray = StatusNotifierTray::start(m_bus.address(), error);
        ASSERT_NE(bus_tray, nullptr) << error;
        set_desktop_tray(bus_tray);
    }

    HICON icon_of(std::uint32_t colour)
    {
        m_icons.push_back(display_test::make_icon(colour));
        return m_icons.back();
    }

    // What Shell_NotifyIcon would have done: the icons change and everybody is told.
    void show(std::vector<TrayIcon> icons)
    {
        tray->set(std::move(icons));
        report_tray_changed();
    }

    bool until(std::function<bool()> const& done) { return PrivateBus::until(desktop->bus(), done); }

    PrivateBus m_bus;
    HWND owner {};
    std::unique_ptr<TrayDouble> desktop;
    std::shared_ptr<StatusNotifierTray> bus_tray;
    TrayRecorder* presenter {};
    std::vector<HICON> m_icons;
};

// The pixel at (x, y) of a pixmap: ARGB in network byte order.
std::vector<std::uint8_t> pixel(Pixmap const& pixmap, int x, int y)
{
    std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(pixmap.width) + static_cast<std::size_t>(x)) * 4;
    if (at + 4 > pixmap.bytes.size())
        return {};
    return { pixmap.bytes.begin() + static_cast<std::ptrdiff_t>(at), pixmap.bytes.begin() + static_cast<std::ptrdiff_t>(at) + 4 };
}

}

TEST_F(StatusNotifierTest, IconRegistersWithTheWatcherAndItsTipAndPixmapFollowTheModel)
{
    ASSERT_TRUE(desktop->become_watcher());
    start_tray();
    EXPECT_TRUE(bus_tray->shows_icons()) << "a watcher was there at the start";

    show({ TrayIcon { owner, 7, tray_callback, icon_of(0x00CC2211), "Link is up" } });
    ASSERT_TRUE(until([&] { return desktop->registered.size() == 1; }));
    auto item = desktop->registered[0];
    EXPECT_EQ(item.sender, bus_tray->bus_name());
    EXPECT_TRUE(presenter_tray_icons().empty()) << "the presenter shows no icon of its own";
    EXPECT_EQ(tray_icons().size(), 1u) << "snapshots still list it";

    EXPECT_EQ(desktop->tool_tip(item), "Link is up|");
    EXPECT_EQ(desktop->text_property(item, "Status"), "Active");
    EXPECT_EQ(desktop->text_property(item, "Category"), "ApplicationStatus");
    Pixmap image = desktop->pixmap(item);
    ASSERT_EQ(image.width, display_test::icon_side);
    ASSERT_EQ(image.height, display_test::icon_side);
    EXPECT_EQ(pixel(image, 0, 0), (std::vector<std::uint8_t> { 0, 0, 0, 0 })) << "masked: transparent";
    EXPECT_EQ(pixel(image, 15, display_test::transparent_rows), (std::vector<std::uint8_t> { 0xFF, 0xCC, 0x22, 0x11 }));

    show({ TrayIcon { owner, 7, tray_callback, icon_of(0x00CC2211), "Weak signal" } });
    ASSERT_TRUE(until([&] { return desktop->new_tips == 1; }));
    EXPECT_EQ(desktop->new_icons, 0) << "the same image under a new handle is no new icon";
    EXPECT_EQ(desktop->tool_tip(item), "Weak signal|");

    show({ TrayIcon { owner, 7, tray_callback, icon_of(0x00003377), "Weak signal" } });
    ASSERT_TRUE(until([&] { return desktop->new_icons == 1; }));
    EXPECT_EQ(desktop->new_tips, 1);
    EXPECT_EQ(pixel(desktop->pixmap(item), 3, 9), (std::vector<std::uint8_t> { 0xFF, 0x00, 0x33, 0x77 }));
    EXPECT_EQ(desktop->registered.size(), 1u) << "a changed icon registers once";
}

TEST_F(StatusNotifierTest, ActivateIsADoubleClickAndContextMenuARightClick)
{
    ASSERT_TRUE(desktop->become_watcher());
    start_tray();
    show({ TrayIcon { owner, 7, tray_callback, icon_of(0x00CC2211), "Link is up" } });
    ASSERT_TRUE(until([&] { return desktop->registered.size() == 1; }));
    auto item = desktop->registered[0];

    struct Case {
        char const* method;
        POINT at;
        std::vector<UINT> expected;
    };
    Case const cases[] = {
        // The programs open their window on WM_LBUTTONDBLCLK and their menu on WM_RBUTTONDOWN.
        { "Activate", { 1200, 790 }, { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP } },
        { "ContextMenu", { 1210, 795 }, { WM_RBUTTONDOWN, WM_RBUTTONUP } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.method);
        g_mouse.clear();
        ASSERT_TRUE(desktop->call(item, c.method, c.at.x, c.at.y));
        ASSERT_TRUE(until([&] { return g_mouse.size() == c.expected.size(); }));
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(g_mouse[i].id, 7u);
            EXPECT_EQ(g_mouse[i].message, c.expected[i]) << i;
            // The menu opens where the host says the pointer is.
            EXPECT_EQ(g_mouse[i].cursor.x, c.at.x);
            EXPECT_EQ(g_mouse[i].cursor.y, c.at.y);
        }
    }
}

TEST_F(StatusNotifierTest, WithoutAWatcherThePresenterShowsTheIconsUntilOneComes)
{
    start_tray();
    EXPECT_FALSE(bus_tray->shows_icons());
    show({ TrayIcon { owner, 7, tray_callback, icon_of(0x00CC2211), "Link is up" } });
    EXPECT_EQ(presenter_tray_icons().size(), 1u);

    int changes = presenter->changes;
    ASSERT_TRUE(desktop->become_watcher());
    ASSERT_TRUE(until([&] { return desktop->registered.size() == 1 && bus_tray->shows_icons(); }));
    EXPECT_GT(presenter->changes, changes) << "the presenter is told to look again";
    EXPECT_TRUE(presenter_tray_icons().empty());
    EXPECT_EQ(desktop->tool_tip(desktop->registered[0]), "Link is up|");

    desktop->stop_being_watcher();
    ASSERT_TRUE(until([&] { return !bus_tray->shows_icons(); }));
    EXPECT_EQ(presenter_tray_icons().size(), 1u) << "back to the presenter's own tray";
}

TEST_F(StatusNotifierTest, AWatcherThatRefusesTheIconLeavesItToThePresenter)
{
    ASSERT_TRUE(desktop->become_watcher());
    desktop->refuse = true;
    start_tray();
    EXPECT_TRUE(bus_tray->shows_icons());
    show({ TrayIcon { owner, 7, tray_callback, icon_of(0x00CC2211), "Link is up" } });
    ASSERT_TRUE(until([&] { return !bus_tray->shows_icons(); }));
    EXPECT_EQ(presenter_tray_icons().size(), 1u);
}

TEST_F(StatusNotifierTest, ARemovedIconLeavesTheBusAndTheOthersComeBack)
{
    // Watchers forget an item when its bus name goes.
    ASSERT_TRUE(desktop->become_watcher());
    start_tray();
    show({ TrayIcon { owner, 7, tray_callback, icon_of(0x00CC2211), "First" },
        TrayIcon { owner, 8, tray_callback, icon_of(0x00003377), "Second" } });
    ASSERT_TRUE(until([&] { return desktop->registered.size() == 2; }));
    std::string first_name = desktop->registered[0].sender;

    show({ TrayIcon { owner, 8, tray_callback, icon_of(0x00003377), "Second" } });
    ASSERT_TRUE(until([&] { return desktop->registered.size() == 3; }));
    EXPECT_FALSE(desktop->has_owner(first_name));
    auto again = desktop->registered[2];
    EXPECT_NE(again.sender, first_name);
    EXPECT_EQ(desktop->tool_tip(again), "Second|");
    EXPECT_TRUE(bus_tray->shows_icons());
}
