#include "station/profiles/EapSubTabs.h"

#include "platform/framework/Dc.h"
#include "station/controls/ButtonST.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

#include <algorithm>
#include <cstring>

namespace station::profiles {

void PaintSubTabFrame(CWnd& page, CDC& dc)
{
    CRect window;
    page.GetWindowRect(&window);
    int const w = window.Width();
    int const h = window.Height();
    COLORREF const shadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF const light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    dc.Draw3dRect(0, 0, w, 2, shadow, light);
    dc.Draw3dRect(0, 0, 2, h, shadow, light);
    dc.Draw3dRect(w - 2, 0, 2, h, shadow, light);
    dc.Draw3dRect(0, h - 2, w, 2, shadow, light);
}

void CreatePageFont(CFont& font)
{
    font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0, G_UiStr.strFaceName.c_str());
}

void StyleCheckButton(CButtonST& button)
{
    button.AssignIcons(147, 148);
    button.EnableFrame(FALSE, FALSE);
    button.AssignColourSlot(CButtonST::TextHot, RGB(255, 0, 0), FALSE);
    button.AssignColourSlot(CButtonST::TextRest, RGB(0, 0, 0), FALSE);
}

void StyleRadioButton(CButtonST& button)
{
    button.AssignIcons(145, 146);
    button.EnableFrame(FALSE, FALSE);
}

void EnableItems(CWnd& dialog, std::initializer_list<int> ids, bool enable)
{
    for (int id : ids)
        if (HWND control = ::GetDlgItem(dialog.m_hWnd, id))
            ::EnableWindow(control, enable ? TRUE : FALSE);
}

void ShowItems(CWnd& dialog, std::initializer_list<int> ids, bool show)
{
    for (int id : ids)
        if (HWND control = ::GetDlgItem(dialog.m_hWnd, id))
            ::ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}

std::string CutText(std::string const& text, std::size_t limit)
{
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    // Back over continuation bytes (10xxxxxx) to the start of the character that does not fit.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

CertChoice& CertChoice::operator=(CertChoice const& other)
{
    if (this == &other)
        return *this;
    record = other.record;
    data = other.data;
    record.Data = record.DataLength ? data.data() : nullptr;
    return *this;
}

void CertChoice::clear()
{
    record = CERT_RECORD {};
    data.fill(0);
}

void CertChoice::take(CERT_RECORD const& from)
{
    clear();
    if (from.DataLength > data.size() || (from.DataLength && !from.Data))
        return;
    std::memcpy(record.IssuedTo, from.IssuedTo, sizeof record.IssuedTo);
    std::memcpy(record.IssuedBy, from.IssuedBy, sizeof record.IssuedBy);
    std::memcpy(record.Expiration, from.Expiration, sizeof record.Expiration);
    std::memcpy(record.FriendlyName, from.FriendlyName, sizeof record.FriendlyName);
    // The library's texts end inside their fields; a record that does not is cut at the last byte.
    record.IssuedTo[sizeof record.IssuedTo - 1] = record.IssuedBy[sizeof record.IssuedBy - 1] = 0;
    record.Expiration[sizeof record.Expiration - 1] = record.FriendlyName[sizeof record.FriendlyName - 1] = 0;
    if (from.DataLength)
        std::memcpy(data.data(), from.Data, from.DataLength);
    record.DataLength = from.DataLength;
    record.Data = record.DataLength ? data.data() : nullptr;
}

void CertChoice::to_blob(KT_BLOB_KEY& blob) const
{
    blob = KT_BLOB_KEY {};
    blob.BlobLength = record.DataLength;
    std::copy_n(data.begin(), record.DataLength, blob.BlobData);
}

bool SameCertData(CERT_RECORD const& record, KT_BLOB_KEY const& blob)
{
    return record.DataLength == blob.BlobLength && record.DataLength <= sizeof blob.BlobData
        && (record.DataLength == 0 || (record.Data && std::memcmp(record.Data, blob.BlobData, record.DataLength) == 0));
}

void CertList::enumerate(char const* store)
{
    free();
    VXWL_U32 n = 0;
    if (G_VxWlLib.VXWL_EnumCert(store, nullptr, &n) != VXWL_ERROR_SUCCESS || n == 0)
        return;
    m_records.assign(n, CERT_RECORD {});
    VXWL_U32 filled = n;
    if (G_VxWlLib.VXWL_EnumCert(store, m_records.data(), &filled) != VXWL_ERROR_SUCCESS)
        filled = 0;
    // What the library filled, never more than it was given room for.
    VXWL_U32 count = std::min(filled, n);
    if (count < n) {
        VXWL_U32 rest = n - count;
        G_VxWlLib.VXWL_FreeCertArray(m_records.data() + count, &rest);
    }
    m_records.resize(count);
}

void CertList::free()
{
    if (m_records.empty())
        return;
    VXWL_U32 count = VXWL_U32(m_records.size());
    G_VxWlLib.VXWL_FreeCertArray(m_records.data(), &count);
    m_records.clear();
}

}
