// Placeholder bodies until this concern is built.
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

void TFormzyklus::wire_port() {}
void TFormzyklus::port_setup_at_start() {}

}  // namespace oxr
