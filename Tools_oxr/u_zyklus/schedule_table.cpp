// Placeholder bodies until this concern is built.
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

void TFormzyklus::table_refresh() {}
void TFormzyklus::clear_row(int) {}
void TFormzyklus::move_row(int) {}
void TFormzyklus::select_row(int) {}

}  // namespace oxr
