// A program outside the project that only sees the installed headers and library.
#include <geo/geo.h>

#include <cstdio>

int main() {
    std::printf("consumer built against geo\n");
    return 0;
}
