// Page printing: the print dialog, an image of the main window on one landscape page, and the
// repaint of the editor group a second after the dialog closed. Also the chart's settings as
// the window defines them.
#include "Tools_oxr/chart_logic.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

namespace {
constexpr int kPrintDocumentTitleMsg = 72;  // "OXR diagram" / "OXR Diagramm"
}  // namespace

void TFormzyklus::wire_printing() {
  set_up_chart(Chart2);
  BitBtn1.set_caption("ZoomAll");
  But_print.OnClick = [this] { Drucken1Click(); };
  Drucken1.OnClick = [this] { Drucken1Click(); };
  ToolButton7.OnClick = [this] { Drucken1Click(); };
  Timer2.OnTimer = [this] { Timer2Timer(); };
}

void TFormzyklus::Drucken1Click() {
  const bool chosen = env.dialogs.print_dialog();
  // The dialog's close comes before its answer is acted on, whichever button closed it.
  PrintDialog1Close();
  if (!chosen) return;
  // The service lets the window repaint what the dialog covered, copies it as it is on
  // screen and prints it; a page that could not be printed has no message of its own.
  env.services.print_main_window(msg(kPrintDocumentTitleMsg));
}

void TFormzyklus::PrintDialog1Close() {
  Timer2.set_enabled(true);
}

void TFormzyklus::Timer2Timer() {
  // Hiding and showing the group makes it paint itself afresh.
  GroupBox_Einstellungen.set_visible(false);
  GroupBox_Einstellungen.set_visible(true);
  Timer2.set_enabled(false);
}

}  // namespace oxr
