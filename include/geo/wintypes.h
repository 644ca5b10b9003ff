// The Windows scalar names that the library's signatures were written with.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
typedef std::uint8_t BYTE;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
typedef unsigned int UINT;
typedef std::int32_t LONG;
typedef std::uint64_t ULONGLONG;
typedef std::uintptr_t DWORD_PTR;
typedef std::intptr_t INT_PTR;
typedef const char* LPCSTR;
typedef const char* LPCTSTR;
struct __POSITION {};
typedef __POSITION* POSITION;
