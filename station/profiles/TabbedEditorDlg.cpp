#include "station/profiles/TabbedEditorDlg.h"

#include "station/controls/CTabDialog.h"
#include "station/controls/PageFrame.h"
#include "station/core/HideDlgServices.h"
#include "station/core/UiStr.h"

namespace {

constexpr DWORD kTabButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

}

BEGIN_MESSAGE_MAP(CTabbedEditorDlg, CResizeDlg)
ON_WM_PAINT()
END_MESSAGE_MAP()

CTabbedEditorDlg::CTabbedEditorDlg(UINT idd, CWnd* parent, std::span<TabButton const> tabs, int first_place)
    : CResizeDlg(idd, parent)
    , m_tabs(tabs)
    , m_firstPlace(first_place)
{
}

CTabbedEditorDlg::~CTabbedEditorDlg() = default;

void CTabbedEditorDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OK, m_btnOK);
    DDX_Control(pDX, IDC_CANCEL, m_btnCancel);
}

BOOL CTabbedEditorDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0, G_UiStr.strFaceName.c_str());
    m_pTabDlg = std::make_unique<CTabDialog>(CTabDialog::IDD, this);
    if (!m_pTabDlg->Create(CTabDialog::IDD, this) || !CreatePages())
        return FALSE;
    place_tab_host();
    struct Button {
        CShadeButtonST& button;
        std::string const& text;
    };
    for (Button const& b : { Button { m_btnOK, G_UiStr.IDS_OK }, Button { m_btnCancel, G_UiStr.IDS_CANCEL } }) {
        b.button.SetWindowText(b.text.c_str());
        b.button.m_bLeftAlignedText = FALSE;
        b.button.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
        b.button.SetFont(&m_font);
    }
    return TRUE;
}

BOOL CTabbedEditorDlg::make_tab_buttons()
{
    for (std::size_t i = 0; i < m_tabs.size(); ++i) {
        auto button = std::make_unique<CShadeButtonST>();
        if (!button->Create(m_tabs[i].text->c_str(), kTabButtonStyle, placeholder(m_firstPlace + int(i)), m_pTabDlg.get(),
                UINT(m_tabs[i].id)))
            return FALSE;
        button->SetFont(&m_font);
        button->ConfigureShading(4, 8, 40, 5, 0, RGB(180, 180, 180), RGB(0, 255, 0));
        m_btnTabs.push_back(std::move(button));
    }
    return TRUE;
}

// The host covers the dialog down to the tab area's bottom; the pages fill the tab area.
void CTabbedEditorDlg::place_tab_host()
{
    CRect client;
    GetClientRect(&client);
    CRect const area = placeholder(IDC_TAB_AREA);
    m_pTabDlg->SetWindowPos(nullptr, 0, 0, client.Width(), area.bottom, SWP_NOZORDER | SWP_SHOWWINDOW);
    m_pTabDlg->MovePages(area, 0);
}

CRect CTabbedEditorDlg::placeholder(int id) const
{
    CRect rect;
    ::GetWindowRect(::GetDlgItem(m_hWnd, id), &rect);
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect.left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect.right));
    return rect;
}

CShadeButtonST* CTabbedEditorDlg::tab_button(int id)
{
    for (std::size_t i = 0; i < m_tabs.size() && i < m_btnTabs.size(); ++i)
        if (m_tabs[i].id == id)
            return m_btnTabs[i].get();
    return nullptr;
}

void CTabbedEditorDlg::enable_tab_button(int id, BOOL enable)
{
    if (CShadeButtonST* button = tab_button(id); button && button->m_hWnd)
        button->EnableWindow(enable);
}

void CTabbedEditorDlg::click_tab_button(int id)
{
    if (CShadeButtonST* button = tab_button(id); button && button->m_hWnd)
        button->SendMessage(BM_CLICK);
}

HWND CTabbedEditorDlg::config_window() const
{
    if (HWND window = hide_dlg_services().config_window())
        return window;
    CWnd* const parent = m_hWnd ? GetParent() : nullptr;
    return parent ? parent->m_hWnd : nullptr;
}

void CTabbedEditorDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}
