// Placeholder bodies until this concern is built.
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

void TFormzyklus::wire_editor() {}
void TFormzyklus::set_editor_defaults() {}
void TFormzyklus::load_row_into_editor(int) {}
void TFormzyklus::refresh_name_preview() {}

}  // namespace oxr
