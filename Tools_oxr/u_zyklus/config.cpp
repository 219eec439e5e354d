// Placeholder bodies until this concern is built.
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

void TFormzyklus::config_ensure_exists() {}
void TFormzyklus::config_set_defaults() {}
void TFormzyklus::config_write() {}
void TFormzyklus::config_read() {}
void TFormzyklus::config_realign_days() {}
std::optional<int> TFormzyklus::config_check_and_read_language() { return std::nullopt; }
void TFormzyklus::config_write_language() {}

}  // namespace oxr
