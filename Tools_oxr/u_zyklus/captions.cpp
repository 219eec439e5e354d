// Placeholder bodies until this concern is built.
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

void TFormzyklus::fill_text_tables() {}
void TFormzyklus::apply_main_captions_german() {}
void TFormzyklus::apply_main_captions_english() {}

}  // namespace oxr
