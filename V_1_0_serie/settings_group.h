#pragma once
// The cycle editor inside the main window's group box "Einstellungen" (GroupBox_settings).
// It creates and binds the widgets of the editor group: MEdatum, MEstartz, MEcycled, MEtarget1,
// MEtarget2, MEhyst1, MEhyst2 with their labels and spin buttons, CheckBox_endlos with
// Label_endless, RadioBut_prea_off/on with Label_prea, Edit_comment with Label_comment,
// Label_cycle with Lab_cycle, But_takeover, and the unit group RadioBut_C/RadioBut_F.
// The main window creates none of these; it hands over the empty group with a QGridLayout.
class QGroupBox;

namespace oxr {
class TFormzyklus;
}

void build_settings_group(QGroupBox* group, oxr::TFormzyklus& form);
