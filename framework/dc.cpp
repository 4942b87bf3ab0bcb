// Device context wrappers: every DC made here is given back on destruction.
#include "framework/afxwin.h"

namespace fw {

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop) {
    return plat::Blit(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, rop);
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) {
    return plat::DrawIconAt(m_hDC, x, y, icon);
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) {
    m_hDC = plat::GetClientDC(m_hWnd);
}

CClientDC::~CClientDC() {
    if (m_hDC) plat::ReleaseClientDC(m_hWnd, m_hDC);
}

CPaintDC::CPaintDC(CWnd* wnd) : m_ps(), m_hWnd(wnd ? wnd->m_hWnd : nullptr) {
    m_hDC = plat::BeginPaintDC(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    if (m_hDC) plat::EndPaintDC(m_hWnd, &m_ps);
}

CMemoryDC::CMemoryDC(HDC reference) {
    m_hDC = plat::CreateMemoryDC(reference);
}

CMemoryDC::~CMemoryDC() {
    if (!m_hDC) return;
    // A DC must not be deleted with the caller's bitmap still selected into it.
    if (m_old) plat::SelectGdiObject(m_hDC, m_old);
    plat::DeleteMemoryDC(m_hDC);
}

void CMemoryDC::Select(HGDIOBJ obj) {
    if (!m_hDC) return;
    HGDIOBJ previous = plat::SelectGdiObject(m_hDC, obj);
    if (!m_old) m_old = previous; // the DC's original object, put back before deletion
}

HBITMAP CreateDIBSection(CDC* reference, const BITMAPINFOHEADER* header, UINT usage, void** bits) {
    return plat::CreateDibSection(reference ? reference->GetSafeHdc() : nullptr, header, usage, bits);
}

BOOL DeleteObject(HGDIOBJ object) {
    return plat::DeleteGdiObject(object);
}

} // namespace fw
