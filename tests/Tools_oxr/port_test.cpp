// Port set-up, the port menu, the link watch, the sign-of-life toggle and the naming dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Tools_oxr/u_comname/tformcomname.h"
#include "tests/Tools_oxr/scripted_serial.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

const Bytes kConnectRequest = {0x41, 0x54, 0x5A, 0x05, 0x0C};
const Bytes kModeQuery = {0x41, 0x54, 0x52, 0x06, 0x4D, 0xC6};

std::vector<std::string> set_up_calls(int port) {
  const std::string p = std::to_string(port);
  return {"open " + p, "buffers " + p + " 4096 4096", "state " + p + " 9600 8 1 N 0",
          "usable " + p};
}

class PortTest : public FormFixture {
 protected:
  TFormzyklus& english_form(ScriptedSerial& serial) {
    TFormzyklus& f = make_form(&serial);
    f.lang_index = 0;
    f.com_names = {"Pumpe", "Zwei", "Drei", "Vier"};
    return f;
  }
  static std::string checked_item(TFormzyklus& f) {
    std::string names;
    for (MenuItem* item : f.port_menu_group) {
      if (item->checked()) names += item->name();
    }
    return names;
  }
};

TEST_F(PortTest, SetUpAtProgramStart) {
  struct Case {
    std::string name;
    std::uint8_t com_port;
    bool usable;
    bool set_state_throws;
    Texts messages;
    std::string checked;
    std::string panel2;
    std::vector<Bytes> frames;
  };
  const Case cases[] = {
      {"usable COM1", 0, true, false, {}, "Com12", "COM1 : Pumpe", {kConnectRequest}},
      {"usable COM3", 2, true, false, {}, "Com32", "COM3 : Drei", {kConnectRequest}},
      {"line set-up fails, the port is still usable",
       0,
       true,
       true,
       {"Error at ComSetState!"},
       "Com12",
       "COM1 : Pumpe",
       {kConnectRequest}},
      {"not usable", 1, false, false, {"Com not valid"}, "", "", {}},
      {"line set-up fails and not usable",
       3,
       false,
       true,
       {"Error at ComSetState!", "Com not valid"},
       "",
       "",
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedSerial serial(clock);
    serial.port_usable = {false, false, false, false};
    serial.port_usable[c.com_port] = c.usable;
    serial.set_state_throws = c.set_state_throws;
    TFormzyklus& f = english_form(serial);
    f.com_port = c.com_port;
    dialogs.clear_shown();

    f.port_setup_at_start();
    EXPECT_EQ(serial.calls, set_up_calls(c.com_port));
    EXPECT_EQ(dialogs.messages(), c.messages);
    EXPECT_EQ(checked_item(f), c.checked);
    EXPECT_EQ(f.StatusBar1.panel(2), c.panel2);
    std::vector<Bytes> frames;
    for (const auto& w : serial.frames) frames.push_back(w.bytes);
    EXPECT_EQ(frames, c.frames);
    // The mode query waits for the connect reply.
    EXPECT_EQ(f.TIsend.enabled(), c.usable);
  }
}

TEST_F(PortTest, StartUpSendsTheModeQueryAfterTheConnectReply) {
  ScriptedSerial serial(clock);
  serial.on_frame = [&](const Bytes& frame) {
    if (frame[2] == 'Z') serial.arrive(with_checksum({'A', 'T', 'Z', 8, 0, 0, 7}), 30);
    if (frame[2] == 'R') serial.arrive(with_checksum({'A', 'T', 'R', 9, 'M', 0, 0, 4}), 30);
  };
  TFormzyklus& f = english_form(serial);
  int mode_reads = 0;
  f.on_control_mode_read = [&] { ++mode_reads; };
  f.port_setup_at_start();
  advance_ms(1000);
  ASSERT_EQ(serial.frames.size(), 2u);
  EXPECT_EQ(serial.frames[1].bytes, kModeQuery);
  EXPECT_EQ(f.tc_connected, 1);
  EXPECT_EQ(f.control_mode, 4);
  EXPECT_EQ(mode_reads, 1);
  EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(PortTest, PortMenuFallsBackToCom1) {
  struct Case {
    std::string name;
    MenuItem TFormzyklus::*item;
    std::array<bool, 4> usable;
    Texts messages;
    std::uint8_t com_port;
    std::string checked;
    std::string panel0;
    std::string panel2;
    std::vector<std::string> calls;
    std::size_t frames;
  };
  auto calls = [](std::vector<int> ports) {
    std::vector<std::string> all;
    for (int p : ports) {
      for (const std::string& c : set_up_calls(p)) all.push_back(c);
    }
    return all;
  };
  const Case cases[] = {
      {"COM2 present",
       &TFormzyklus::Com22,
       {true, true, false, false},
       {},
       1,
       "Com22",
       "Com valid",
       "COM2 : Zwei",
       calls({1}),
       1},
      {"COM4 absent: back on COM1",
       &TFormzyklus::Com42,
       {true, false, false, false},
       {"Com not valid"},
       0,
       "Com12",
       "Com valid",
       "COM1 : Pumpe",
       calls({3, 0}),
       1},
      {"COM4 and COM1 absent",
       &TFormzyklus::Com42,
       {false, false, false, false},
       {"Com not valid", "Com not valid"},
       0,
       "Com12",
       "",
       "No Com-Port active",
       calls({3, 0}),
       0},
      {"COM1 absent",
       &TFormzyklus::Com12,
       {false, true, true, true},
       {"Com not valid"},
       0,
       "Com12",
       "",
       "No Com-Port active",
       calls({0}),
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedSerial serial(clock);
    serial.port_usable = c.usable;
    TFormzyklus& f = english_form(serial);
    f.tc_connected = 1;
    dialogs.clear_shown();

    (f.*c.item).click();
    EXPECT_EQ(dialogs.messages(), c.messages);
    EXPECT_EQ(f.com_port, c.com_port);
    EXPECT_EQ(checked_item(f), c.checked);
    EXPECT_EQ(f.StatusBar1.panel(0), c.panel0);
    EXPECT_EQ(f.StatusBar1.panel(2), c.panel2);
    EXPECT_EQ(serial.calls, c.calls);
    EXPECT_EQ(serial.frames.size(), c.frames);
    EXPECT_EQ(f.tc_connected, 0);
    if (c.frames) {
      EXPECT_EQ(serial.frames[0].bytes, kConnectRequest);
    }
  }
}

TEST_F(PortTest, AfterAPortChangePanel0ReadsComValidUntilTheNextSecond) {
  struct Case {
    std::string name;
    bool controller_answers;
    std::string panel0_after_a_second;
  };
  const Case cases[] = {
      {"no answer", false, "Temperature control not connected"},
      {"connect reply in between", true, "Temperature control connected"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedSerial serial(clock);
    serial.port_usable = {true, true, false, false};
    if (c.controller_answers) {
      serial.on_frame = [&](const Bytes&) {
        serial.arrive(with_checksum({'A', 'T', 'Z', 8, 0, 0, 7}), 30, 1);
      };
    }
    TFormzyklus& f = english_form(serial);
    f.Timer1.set_enabled(true);
    f.Com22.click();
    EXPECT_EQ(f.StatusBar1.panel(0), "Com valid");
    advance_ms(999);
    EXPECT_EQ(f.StatusBar1.panel(0),
              c.controller_answers ? "Temperature control connected" : "Com valid");
    advance_ms(1);
    EXPECT_EQ(f.StatusBar1.panel(0), c.panel0_after_a_second);
  }
}

TEST_F(PortTest, LinkWatchNoticesTheControllerGone) {
  struct Case {
    std::string name;
    bool start_enabled;  // disabled while a cycle waits or runs
    bool stopped;
  };
  const Case cases[] = {{"idle", true, false}, {"cycle armed or running", false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedSerial serial(clock);
    TFormzyklus& f = english_form(serial);
    dialogs.clear_shown();
    int stops = 0;
    f.stop_for_link_loss = [&] {
      ++stops;
      EXPECT_FALSE(f.TImcresponse.enabled());
    };
    f.tc_connected = 1;
    f.But_start.set_enabled(c.start_enabled);
    f.Timer3.set_enabled(true);
    f.TImcresponse.set_enabled(true);
    f.Lab_tact1.set_caption("85");
    f.Lab_tact2.set_caption("60");
    f.Timer1.set_enabled(true);

    advance_ms(1000);  // still there
    EXPECT_EQ(f.tc_connected, 1);
    EXPECT_TRUE(dialogs.messages().empty());

    serial.presence = 0;
    advance_ms(1000);
    EXPECT_EQ(f.tc_connected, 0);
    EXPECT_FALSE(f.Timer3.enabled());
    EXPECT_EQ(dialogs.messages(), Texts{"Temperature control not connected"});
    EXPECT_EQ(f.StatusBar1.panel(0), "Temperature control not connected");
    EXPECT_EQ(stops, c.stopped ? 1 : 0);
    EXPECT_EQ(f.TImcresponse.enabled(), !c.stopped);
    EXPECT_EQ(f.Lab_tact1.caption(), c.stopped ? "" : "85");
    EXPECT_EQ(f.Lab_tact2.caption(), c.stopped ? "" : "60");

    // It does not come back by itself, and it is reported once.
    serial.presence = 1;
    f.StatusBar1.set_panel(0, "");
    advance_ms(1000);
    EXPECT_EQ(f.tc_connected, 0);
    EXPECT_EQ(f.StatusBar1.panel(0), "Temperature control not connected");
    EXPECT_EQ(dialogs.messages().size(), 1u);
  }
}

TEST_F(PortTest, TheToggleAlternatesEverySecondWithNoController) {
  ScriptedSerial serial(clock);
  serial.port_usable = {false, false, false, false};
  serial.presence = 0;
  TFormzyklus& f = english_form(serial);
  f.com_port = 2;
  f.Timer1.set_enabled(true);
  advance_ms(4000);
  using T = ScriptedSerial::Toggle;
  EXPECT_EQ(serial.toggles,
            (std::vector<T>{{1000, 34, 2}, {2000, 32, 2}, {3000, 34, 2}, {4000, 32, 2}}));
}

TEST_F(PortTest, Timer1WritesTheClockAndStatusPanels) {
  ScriptedSerial serial(clock);
  TFormzyklus& f = english_form(serial);
  f.tc_status_code = 4;
  f.Timer1.set_enabled(true);
  advance_ms(1000);
  EXPECT_EQ(f.StatusBar1.panel(4), "09.12.2026       10:00:01");
  EXPECT_EQ(f.StatusBar1.panel(3), "Status: Data received");
}

// ---- the naming dialog ----

TEST(PortNameScan, OnePassRemovesEachForbiddenCharacterAtItsPosition) {
  struct Case {
    std::string name;
    std::string text;
    std::string cleaned;
    Texts messages;
  };
  const std::string comma = "Das Zeichen ',' ist nicht erlaubt!";
  const std::string backslash = "Dieser Schrägstrich ist nicht erlaubt!";
  const std::string space = "Leerzeichen ist nicht erlaubt!";
  const Case cases[] = {
      {"clean", "Pumpe_1", "Pumpe_1", {}},
      {"comma", "a,b", "ab", {comma}},
      {"backslash", "a\\b", "ab", {backslash}},
      {"space", "a b", "ab", {space}},
      {"comma, backslash and space at one position", "a,\\ b", "ab", {comma, backslash, space}},
      // What a removal brings to a passed position waits for the next pass.
      {"two commas", ",,x", ",x", {comma}},
      {"space before a comma", " ,x", ",x", {space}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Texts messages;
    EXPECT_EQ(scan_port_name(c.text, messages), c.cleaned);
    EXPECT_EQ(messages, c.messages);
  }
}

class NamingDialogTest : public PortTest {
 protected:
  void SetUp() override {
    TFormzyklus& f = english_form(line);
    names = std::make_unique<TFormcomname>(f);
  }
  ScriptedSerial line{clock};
  std::unique_ptr<TFormcomname> names;
};

TEST_F(NamingDialogTest, TypedForbiddenCharactersAreRemovedAndEachReportedOnce) {
  struct Case {
    std::string name;
    std::string typed;
    std::string text;
    Texts messages;
  };
  // German in both languages; the window runs in English here.
  const std::string comma = "Das Zeichen ',' ist nicht erlaubt!";
  const std::string backslash = "Dieser Schrägstrich ist nicht erlaubt!";
  const std::string space = "Leerzeichen ist nicht erlaubt!";
  const Case cases[] = {
      {"a comma and a space", "Pu, mpe", "Pumpe", {comma, space}},
      {"two commas in a row", "a,,b", "ab", {comma, comma}},
      {"everything forbidden", ", \\,", "", {comma, space, comma, backslash}},
      {"nothing forbidden", "Kessel", "Kessel", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.clear_shown();
    names->Editcom2.set_text("");
    names->Editcom2.set_text(c.typed);
    EXPECT_EQ(names->Editcom2.text(), c.text);
    EXPECT_EQ(dialogs.messages(), c.messages);
  }
}

TEST_F(NamingDialogTest, MenuShowsTheDialogAndOkTakesTheNames) {
  EXPECT_EQ(names->Editcom1.max_length(), 8);
  EXPECT_EQ(names->Lcom3.caption(), "COM3 :");
  form->com_port = 1;
  form->ComName1.click();
  EXPECT_TRUE(names->form.visible());
  EXPECT_EQ(names->form.caption(), "Indication of the interface");
  EXPECT_EQ(names->Editcom1.text(), "Pumpe");
  EXPECT_EQ(names->Editcom4.text(), "Vier");

  names->Editcom2.set_text("Kessel");
  names->Bcomname.click();
  EXPECT_FALSE(names->form.visible());
  EXPECT_EQ(form->com_names, (std::array<std::string, 4>{"Pumpe", "Kessel", "Drei", "Vier"}));
  EXPECT_EQ(form->StatusBar1.panel(2), "COM2 : Kessel");
}

}  // namespace
}  // namespace oxr::test
