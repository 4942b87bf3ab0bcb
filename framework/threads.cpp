#include "framework/threads.h"

namespace fw {

bool CWorkerThread::Start(std::function<void()> body) {
    if (m_h) return false;
    m_body = std::move(body);
    m_h = plat::StartThread(&CWorkerThread::Run, this);
    return m_h != nullptr;
}

void CWorkerThread::Join() {
    if (!m_h) return;
    plat::JoinThread(m_h);
    m_h = nullptr;
    m_body = nullptr;
}

void CWorkerThread::Run(void* self) {
    static_cast<CWorkerThread*>(self)->m_body();
}

} // namespace fw
