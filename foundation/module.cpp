// Start-up and shut-down of the library as a loaded module.
#include <geo/export.h>
