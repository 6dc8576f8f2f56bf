// The IP address control ("SysIPAddress32"): four number fields of 0..255 separated by dots,
// each an edit child. The address is one 32-bit number with the first field in the most
// significant byte (MAKEIPADDRESS).
//
// | input                                     | fields                                  | parent gets                     |
// |-------------------------------------------|-----------------------------------------|---------------------------------|
// | a digit                                   | typed into the field                    | EN_CHANGE (WM_COMMAND)          |
// | the third digit of a field                | focus to the next field, all selected   | IPN_FIELDCHANGED for the field  |
// | '.' or space in a non-empty field         | focus to the next field                 | IPN_FIELDCHANGED for the field  |
// | Backspace in an empty field               | focus to the previous field             |                                 |
// | leaving a field whose value changed       | a value above 255 becomes 255           | IPN_FIELDCHANGED (iValue, -1 when empty; the parent may change it) |
// IPM_SETADDRESS and IPM_CLEARADDRESS change every field and send EN_CHANGE, not
// IPN_FIELDCHANGED.
#pragma once

#include "platform/controls/Control.h"
#include "platform/controls/TabMessages.h"

#include <array>

namespace platform::controls {

class IpAddress final : public Control {
public:
    explicit IpAddress(HWND hwnd);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    static void register_class();

private:
    static LRESULT field_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT on_create();
    void layout();
    int field_of(HWND edit) const;
    int value(int field) const; // -1 when empty
    void set_value(int field, int value);
    void enter_field(int field);
    void leave_field(int field);
    LRESULT on_command(WPARAM wparam, LPARAM lparam);
    LRESULT get_address(DWORD* out) const;
    void paint(HDC dc) override;

    std::array<HWND, 4> m_fields {};
    std::array<int, 4> m_entered { -1, -1, -1, -1 }; // value when the field got the focus
    bool m_setting {};
};

}
