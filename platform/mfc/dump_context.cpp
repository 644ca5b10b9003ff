// CDumpContext: collects text and optionally copies it to a file.
#include <geo/mfc/cstring.h>
#include <geo/mfc/dump_context.h>
#include <geo/mfc/file.h>

#include <cstdio>

CDumpContext::CDumpContext(CFile* pFile) : m_pFile(pFile) {}

void CDumpContext::Flush() {
    if (m_pFile != nullptr) {
        m_pFile->Flush();
    }
}

void CDumpContext::OutputString(const std::string& s) {
    m_text += s;
    if (m_pFile != nullptr) {
        m_pFile->Write(s.data(), static_cast<UINT>(s.size()));
    }
}

CDumpContext& CDumpContext::operator<<(LPCSTR lpsz) {
    OutputString(lpsz == nullptr ? "(NULL)" : lpsz);
    return *this;
}

CDumpContext& CDumpContext::operator<<(const CString& s) {
    OutputString(s.str());
    return *this;
}

CDumpContext& CDumpContext::operator<<(const void* lp) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%p", lp);
    OutputString(buf);
    return *this;
}

CDumpContext& CDumpContext::operator<<(int n) {
    return *this << static_cast<long long>(n);
}

CDumpContext& CDumpContext::operator<<(unsigned int n) {
    return *this << static_cast<unsigned long long>(n);
}

CDumpContext& CDumpContext::operator<<(long n) {
    return *this << static_cast<long long>(n);
}

CDumpContext& CDumpContext::operator<<(unsigned long n) {
    return *this << static_cast<unsigned long long>(n);
}

CDumpContext& CDumpContext::operator<<(long long n) {
    OutputString(std::to_string(n));
    return *this;
}

CDumpContext& CDumpContext::operator<<(unsigned long long n) {
    OutputString(std::to_string(n));
    return *this;
}

CDumpContext& CDumpContext::operator<<(double d) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", d);
    OutputString(buf);
    return *this;
}
