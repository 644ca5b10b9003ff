// The global default tolerance of the geometry layer.
#include <geo/acge/getol.h>

AcGeTol AcGeContext::gTol;
