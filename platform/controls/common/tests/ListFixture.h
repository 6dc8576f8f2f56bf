// A parent window that records every notification of a list view made on it, and answers
// the ones a test scripts.
#pragma once

#include "platform/controls/common/ListView.h"
#include "platform/user/tests/CoreFixture.h"

#include <functional>
#include <map>
#include <vector>

class ListTest : public CoreTest {
protected:
    static inline std::vector<UINT> codes;
    static inline std::function<LRESULT(NMHDR*)> answer;

    void SetUp() override
    {
        CoreTest::SetUp();
        InitCommonControls();
        codes.clear();
        answer = nullptr;
        handler = [](HWND, UINT message, WPARAM, LPARAM lparam) -> std::optional<LRESULT> {
            if (message != WM_NOTIFY)
                return std::nullopt;
            auto* nm = reinterpret_cast<NMHDR*>(lparam);
            codes.push_back(nm->code);
            return answer ? answer(nm) : 0;
        };
        parent = make_top("parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, { 0, 0, 600, 600 });
    }

    // A report list of `columns` columns of width 50 and `rows` owner-data rows.
    HWND make_list(DWORD style, int columns, int rows, RECT r = { 0, 0, 300, 200 })
    {
        HWND list = CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | style, r.left, r.top,
            r.right - r.left, r.bottom - r.top, parent, reinterpret_cast<HMENU>(7), nullptr, nullptr);
        for (int c = 0; c < columns; ++c) {
            LVCOLUMN col {};
            col.mask = LVCF_WIDTH | LVCF_TEXT;
            col.cx = 50;
            col.pszText = const_cast<LPSTR>("c");
            SendMessage(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
        }
        SendMessage(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
        return list;
    }

    static int count_code(UINT code)
    {
        return static_cast<int>(std::count(codes.begin(), codes.end(), code));
    }

    static RECT item_rect(HWND list, int item, int code = LVIR_BOUNDS)
    {
        RECT r { code, 0, 0, 0 };
        SendMessage(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
        return r;
    }

    HWND parent {};
};
