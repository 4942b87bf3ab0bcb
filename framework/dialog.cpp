// CDialog: modal and modeless dialogs from templates, and the dispatcher the backends call.
#include "framework/afxwin.h"

namespace fw {

namespace {
// Sent after WM_DESTROY as the very last message of a window. Not part of the player's vocabulary.
constexpr UINT kWmNcDestroy = 0x0082;
} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() {
    // A modeless window that outlives its object would dispatch into freed memory: destroy it first.
    // (Its last messages reach only this base class, the derived part being gone already.)
    if (m_hWnd && plat::IsWnd(m_hWnd)) plat::DestroyWnd(m_hWnd);
    m_hWnd = nullptr;
}

HWND CDialog::OwnerHandle() const {
    if (m_pParentWnd) return m_pParentWnd->m_hWnd;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd && app->m_pMainWnd != this) return app->m_pMainWnd->m_hWnd;
    return nullptr;
}

INT_PTR CDialog::DoModal() {
    INT_PTR result = plat::RunModalDialog(m_nIDTemplate, OwnerHandle(), &CDialog::Dispatch, this);
    // The window is gone whatever happened (normally cleared on WM_DESTROY already).
    m_hWnd = nullptr;
    return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    HWND h = plat::CreateModelessDialog(templateId, OwnerHandle(), &CDialog::Dispatch, this);
    m_hWnd = h;
    return h != nullptr;
}

void CDialog::EndDialog(int result) {
    plat::EndDlg(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    // As MFC's base: load the member data into the controls; TRUE lets the platform set the focus.
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    return CWnd::OnWndMsg(msg, wp, lp, result);
}

BOOL CDialog::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    HWND h = m_hWnd;
    m_hWnd = nullptr;
    return plat::DestroyWnd(h);
}

BOOL CDialog::Dispatch(void* ctx, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    CDialog* dlg = static_cast<CDialog*>(ctx);
    LRESULT local = 0;
    if (!result) result = &local;
    *result = 0;
    if (!dlg) return FALSE;
    const bool farewell = msg == WM_DESTROY || msg == kWmNcDestroy;
    // The object learns its window from the first message (WM_CREATE arrives before the creating call
    // returns). The farewell messages must not re-attach a window that is going away.
    if (!dlg->m_hWnd && !farewell) dlg->m_hWnd = hwnd;

    // A handler may send messages to its own window; Default() must still see the outer message
    // once the nested one returns.
    const CurrentMsg saved = dlg->m_current;
    dlg->m_current = CurrentMsg{msg, wp, lp};
    BOOL handled = FALSE;
    if (msg == WM_INITDIALOG) {
        *result = dlg->OnInitDialog();
        handled = TRUE;
    } else if (msg == WM_COMMAND && HIWORD(wp) == 0 && LOWORD(wp) == IDOK) {
        dlg->OnOK();
        handled = TRUE;
    } else if (msg == WM_COMMAND && HIWORD(wp) == 0 && LOWORD(wp) == IDCANCEL) {
        dlg->OnCancel();
        handled = TRUE;
    } else {
        handled = dlg->OnWndMsg(msg, wp, lp, result);
    }
    dlg->m_current = saved;

    // After WM_DESTROY has run through the map the window is as good as gone.
    if (farewell && dlg->m_hWnd == hwnd) dlg->m_hWnd = nullptr;
    return handled;
}

// ---- Data exchange ----------------------------------------------------------------------------------------

namespace {
// Button check state by window (BM_GETCHECK / BM_SETCHECK): the group walk knows windows, not ids.
constexpr UINT kBmGetCheck = 0x00F0;
constexpr UINT kBmSetCheck = 0x00F1;

bool IsRadioButton(HWND h) {
    const DWORD type = plat::GetWindowStyle(h) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}
} // namespace

void DDX_Radio(CDataExchange* dx, int firstId, int& value) {
    if (!dx || !dx->m_pDlgWnd) return;
    HWND first = plat::GetDialogItem(dx->m_pDlgWnd->m_hWnd, firstId);
    if (!first) return;
    if (dx->m_bSaveAndValidate) value = -1;
    int index = 0;
    for (HWND h = first; h; h = plat::GetNextSibling(h)) {
        if (h != first && (plat::GetWindowStyle(h) & WS_GROUP)) break;
        if (!IsRadioButton(h)) continue;
        if (dx->m_bSaveAndValidate) {
            if (plat::SendMsg(h, kBmGetCheck, 0, 0) == BST_CHECKED && value < 0) value = index;
        } else {
            plat::SendMsg(h, kBmSetCheck, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (!dx || !dx->m_pDlgWnd) return;
    if (!control.m_hWnd) control.m_hWnd = plat::GetDialogItem(dx->m_pDlgWnd->m_hWnd, id);
}

} // namespace fw
