// Placeholder bodies until this concern is built.
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

void TFormzyklus::wire_life() {}

}  // namespace oxr
