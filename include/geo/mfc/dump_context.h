// CDumpContext: a minimal text sink for CObject::Dump.
#pragma once

#include <geo/export.h>
#include <geo/wintypes.h>

#include <string>

class CFile;
class CString;

// Collects dumped text; with a file it also writes each piece to that file.
class GEO_API CDumpContext {
public:
    explicit CDumpContext(CFile* pFile = nullptr);
    CDumpContext(const CDumpContext&) = delete;
    CDumpContext& operator=(const CDumpContext&) = delete;

    int GetDepth() const { return m_nDepth; }
    void SetDepth(int nNewDepth) { m_nDepth = nNewDepth; }
    void Flush();
    // Everything written so far.
    const std::string& GetText() const { return m_text; }

    CDumpContext& operator<<(LPCSTR lpsz);
    CDumpContext& operator<<(const CString& s);
    CDumpContext& operator<<(const void* lp);
    CDumpContext& operator<<(int n);
    CDumpContext& operator<<(unsigned int n);
    CDumpContext& operator<<(long n);
    CDumpContext& operator<<(unsigned long n);
    CDumpContext& operator<<(long long n);
    CDumpContext& operator<<(unsigned long long n);
    CDumpContext& operator<<(double d);

private:
    void OutputString(const std::string& s);

    CFile* m_pFile;
    int m_nDepth = 0;
    std::string m_text;
};
