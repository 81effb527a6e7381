#include "tests/e2e/driver/case_runner.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "tests/e2e/driver/control_names.h"
#include "tests/e2e/driver/file_edits.h"
#include "tests/e2e/driver/file_resources.h"
#include "tests/e2e/driver/host_requests.h"
#include "tests/e2e/driver/installed_state.h"
#include "tests/e2e/driver/installer_windows.h"
#include "tests/e2e/driver/png_writer.h"
#include "tests/e2e/driver/screen_capture.h"
#include "tests/e2e/driver/text_fit.h"
#include "tests/e2e/driver/user_input.h"
#include "tests/e2e/driver/window_probe.h"
#include "tests/windows/system/access_list.h"
#include "tests/windows/system/folder_link.h"

namespace tidemark::e2e {

// A failed expectation; carries the report lines.
class CaseFailure : public std::runtime_error {
 public:
  CaseFailure(const std::string& expected, const std::string& found)
      : std::runtime_error(expected), expected_(expected), found_(found) {}
  const std::string& expected() const { return expected_; }
  const std::string& found() const { return found_; }

 private:
  std::string expected_;
  std::string found_;
};

using Method = void (CaseRunner::*)(std::vector<std::string>);

struct CaseRunner::Handler {
  const char* name;
  size_t min_args;
  size_t max_args;
  bool waits;  // accepts a trailing "within SECONDS"
  Method method;
};

namespace {

constexpr char kWithin[] = "within";

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Describe(const BoxContent& box) {
  std::string text = "box " + Quoted(box.title) + " " + Quoted(box.text) + " buttons";
  for (const std::string& button : box.buttons) text += " " + Quoted(button);
  return text;
}

std::string DescribeItems(const std::vector<std::string>& items) {
  if (items.empty()) return "no items";
  std::string text = "items";
  for (const std::string& item : items) text += " " + Quoted(item);
  return text;
}

std::string DescribePages(const std::vector<int>& pages) {
  if (pages.empty()) return "no visible page";
  std::string text = pages.size() == 1 ? "page" : "pages";
  for (int id : pages) text += " " + ControlName(id);
  return text;
}

int ParseInteger(const std::string& word, const char* what) {
  size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(word, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != word.size())
    throw ScriptError(std::string(what) + " expected, not " + Quoted(word));
  return value;
}

Milliseconds Seconds(const std::string& word) {
  const int seconds = ParseInteger(word, "a number of seconds");
  if (seconds <= 0) throw ScriptError("a timeout must be at least one second");
  return Milliseconds(seconds * 1000);
}

bool SameButtons(std::vector<std::string> a, std::vector<std::string> b) {
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return a == b;
}

// Where two byte strings first differ, for a report.
std::string Difference(const std::string& found, const std::string& wanted) {
  const auto [at, ignored] =
      std::mismatch(found.begin(), found.end(), wanted.begin(), wanted.end());
  return std::to_string(found.size()) + " bytes, differing from the " +
         std::to_string(wanted.size()) + " expected at offset " +
         std::to_string(at - found.begin());
}

void Print(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace

void CheckScript(const std::vector<Command>& commands) {
  for (const Command& command : commands) {
    const CaseRunner::Handler* handler = CaseRunner::FindHandler(command.name);
    const std::string where = "line " + std::to_string(command.line) + ": ";
    if (!handler) throw ScriptError(where + "unknown command " + Quoted(command.name));
    size_t count = command.args.size();
    if (handler->waits && count >= 2 && command.args[count - 2] == kWithin) count -= 2;
    if (count < handler->min_args || count > handler->max_args) {
      throw ScriptError(where + "wrong number of words for " + command.name);
    }
  }
}

CaseRunner::CaseRunner(RunOptions options) : options_(std::move(options)) {}

CaseRunner::~CaseRunner() { installer_.Terminate(); }

bool CaseRunner::Run(const std::vector<Command>& commands) {
  const Command* current = nullptr;
  try {
    for (const Command& command : commands) {
      current = &command;
      Print("[" + std::to_string(command.line) + "] " + command.text);
      Execute(command);
    }
    current = nullptr;
    if (installer_.started() && !installer_.ExitCode()) {
      Fail("the installer to have ended when the case ends (expect-exit or terminate)",
           "it still runs");
    }
    Print("PASSED");
    return true;
  } catch (const CaseFailure& failure) {
    const std::string where = current
                                  ? "line " + std::to_string(current->line) + ": " + current->text
                                  : std::string("end of the case");
    Print("FAILED at " + where);
    Print("  expected: " + failure.expected());
    Print("  found:    " + failure.found());
  } catch (const std::exception& error) {
    Print("FAILED at line " + std::to_string(current ? current->line : 0) + ": " + error.what());
  }
  try {
    Print("  screenshot: " + SaveScreenshot("failure"));
  } catch (const std::exception& error) {
    Print("  no screenshot: " + std::string(error.what()));
  }
  installer_.Terminate();
  return false;
}

void CaseRunner::Execute(const Command& command) {
  const Handler* handler = FindHandler(command.name);
  if (!handler) throw ScriptError("unknown command " + Quoted(command.name));
  (this->*handler->method)(command.args);
}

void CaseRunner::Fail(const std::string& expected, const std::string& found) {
  throw CaseFailure(expected, found);
}

std::string CaseRunner::SaveScreenshot(const std::string& name) {
  std::this_thread::sleep_for(options_.settle);
  std::vector<HWND> windows;
  if (installer_.started() && !installer_.ExitCode())
    windows = VisibleTopLevelWindows(installer_.id());
  const RgbImage picture = CaptureScreen(AreaOf(windows));

  char number[8];
  std::snprintf(number, sizeof number, "%02d", ++screenshots_);
  std::filesystem::create_directories(options_.screenshot_folder);
  const std::string path = (std::filesystem::path(options_.screenshot_folder) /
                            (std::string(number) + "-" + name + ".png"))
                               .string();
  WriteWholeFile(path, EncodePng(picture));
  return path;
}

Milliseconds CaseRunner::TakeTimeout(std::vector<std::string>& args) const {
  if (args.size() >= 2 && args[args.size() - 2] == kWithin) {
    const Milliseconds timeout = Seconds(args.back());
    args.resize(args.size() - 2);
    return timeout;
  }
  return options_.timeout;
}

std::string CaseRunner::ProcessState() const {
  if (!installer_.started()) return "no installer was started";
  if (const auto code = installer_.ExitCode()) {
    return "the installer has ended with exit code " + std::to_string(*code);
  }
  return "the installer runs";
}

HWND CaseRunner::AwaitMainWindow(Milliseconds timeout) {
  if (!installer_.started()) Fail("a started installer", ProcessState());
  HWND main_window = nullptr;
  PollUntil(timeout, [&] {
    main_window = FindMainWindow(installer_.id());
    return main_window != nullptr || installer_.ExitCode().has_value();
  });
  if (!main_window)
    Fail("a visible window of class TfrmInstall", ProcessState() + ", no such window");
  return main_window;
}

HWND CaseRunner::Control(HWND main_window, const std::string& name) {
  const std::optional<int> id = ControlIdByName(name);
  if (!id) throw ScriptError("no control is named " + Quoted(name));
  HWND control = FindControl(main_window, *id);
  if (!control) Fail("a control " + name, "no child window with identifier " + std::to_string(*id));
  return control;
}

void CaseRunner::Start(std::vector<std::string> args) {
  const ScriptError usage("start PATH [as COPY] [with ARGUMENTS]");
  std::string arguments;  // the rest of the installer's command line
  if (args.size() >= 3 && args[args.size() - 2] == "with") {
    arguments = args.back();
    args.resize(args.size() - 2);
  }
  std::string path = args[0];
  if (args.size() == 3) {
    if (args[1] != "as") throw usage;
    CopyFileTo(args[0], args[2]);
    path = args[2];
  } else if (args.size() != 1) {
    throw usage;
  }
  installer_.Start(path, arguments);
  Print("  started process " + std::to_string(installer_.id()));
}

// "start-registered KEY NAME": the command line that the REG_SZ value holds
// under HKEY_LOCAL_MACHINE\KEY, started exactly as it stands, as a
// deployment tool starts an uninstall entry's command, with the system
// folder as the current folder.
void CaseRunner::StartRegistered(std::vector<std::string> args) {
  const std::optional<std::string> command_line = ReadMachineString(args[0], args[1]);
  if (!command_line) Fail("a value " + Quoted(args[1]) + " under HKLM\\" + args[0], "none");
  char system_folder[MAX_PATH] = {};
  GetSystemDirectoryA(system_folder, MAX_PATH);
  installer_.StartCommandLine(*command_line, system_folder);
  Print("  started " + Quoted(*command_line) + " in " + system_folder + ", process " +
        std::to_string(installer_.id()));
}

void CaseRunner::WaitWindow(std::vector<std::string> args) { AwaitMainWindow(TakeTimeout(args)); }

// "expect-taskbar TITLE": the taskbar shows one window of the installer,
// titled TITLE.
void CaseRunner::ExpectTaskbar(std::vector<std::string> args) {
  AwaitMainWindow(options_.timeout);
  std::string found;
  for (HWND window : TaskbarWindows(installer_.id())) {
    found += (found.empty() ? "" : "; ") + Quoted(ReadWindowText(window));
  }
  if (found != Quoted(args[0])) {
    Fail("one taskbar window " + Quoted(args[0]), found.empty() ? "none" : found);
  }
}

void CaseRunner::ExpectPage(std::vector<std::string> args) {
  const Milliseconds timeout = TakeTimeout(args);
  const std::optional<int> id = ControlIdByName(args[0]);
  if (!id || !IsPageId(*id)) throw ScriptError(Quoted(args[0]) + " is not a page");
  HWND main_window = AwaitMainWindow(timeout);
  HWND page = Control(main_window, args[0]);
  const bool shown = PollUntil(timeout, [&] {
    // The page itself first: asking after every page at each poll keeps
    // Wine's server busy, which would slow down the run being timed.
    return IsWindowVisible(page) && VisiblePageIds(main_window) == std::vector<int>{*id};
  });
  if (!shown) {
    Fail("page " + ControlName(*id) + " alone visible", DescribePages(VisiblePageIds(main_window)));
  }
}

void CaseRunner::Click(std::vector<std::string> args) {
  HWND control = Control(AwaitMainWindow(options_.timeout), args[0]);
  ExpectClickable(control, args[0]);
  ClickCentre(control);
}

void CaseRunner::ExpectClickable(HWND control, const std::string& name) {
  if (!IsWindowVisible(control)) Fail(name + " visible, to be clicked", "it is hidden");
  if (!IsWindowEnabled(control)) Fail(name + " enabled, to be clicked", "it is disabled");
}

// A click posted to a control that may still be hidden: it waits in the
// queue for a running handler that shows the control and then handles its
// pending messages (the exit button during the installation run).
void CaseRunner::QueueClick(std::vector<std::string> args) {
  ClickCentre(Control(AwaitMainWindow(options_.timeout), args[0]));
}

// "click-and-queue CONTROL QUEUED": CONTROL clicked and QUEUED's click
// queued right behind it while the installer is held, so that the handler
// CONTROL starts meets the queued click at its first look at the queue,
// however slow the machine (the exit button before the run's first file).
void CaseRunner::ClickAndQueue(std::vector<std::string> args) {
  HWND window = AwaitMainWindow(options_.timeout);
  HWND control = Control(window, args[0]);
  HWND queued = Control(window, args[1]);
  const InstallerProcess::Hold hold(installer_);
  ExpectClickable(control, args[0]);
  ClickCentre(control);
  ClickCentre(queued);
}

void CaseRunner::Type(std::vector<std::string> args) {
  HWND control = Control(AwaitMainWindow(options_.timeout), args[0]);
  if (!IsWindowVisible(control)) Fail(args[0] + " visible, to type into", "it is hidden");
  TypeCharacters(control, args[1]);
}

void CaseRunner::Press(std::vector<std::string> args) {
  static const struct {
    const char* name;
    UINT key;
  } kKeys[] = {{"Enter", VK_RETURN},  {"Escape", VK_ESCAPE}, {"Backspace", VK_BACK},
               {"Delete", VK_DELETE}, {"Home", VK_HOME},     {"End", VK_END},
               {"Up", VK_UP},         {"Down", VK_DOWN},     {"Left", VK_LEFT},
               {"Right", VK_RIGHT},   {"Tab", VK_TAB}};
  UINT key = 0;
  for (const auto& known : kKeys) {
    if (args[1] == known.name) key = known.key;
  }
  if (key == 0) throw ScriptError("no key is named " + Quoted(args[1]));
  const int times = args.size() == 3 ? ParseInteger(args[2], "a number of presses") : 1;
  HWND control = VisibleControl(args[0], "to press keys on");
  for (int i = 0; i < times; ++i) PressKey(control, key);
}

// The control, once it is visible (a click that shows it is only posted).
HWND CaseRunner::VisibleControl(const std::string& name, const char* purpose) {
  HWND control = Control(AwaitMainWindow(options_.timeout), name);
  if (!PollUntil(options_.timeout, [&] { return IsWindowVisible(control) != FALSE; })) {
    Fail(name + " visible, " + purpose, "it is hidden");
  }
  return control;
}

// The position of the first item showing `text`, waiting for it to appear.
int CaseRunner::ItemIndex(HWND control, const std::string& name, const std::string& text) {
  std::vector<std::string> items;
  auto position = [&] { return std::find(items.begin(), items.end(), text) - items.begin(); };
  PollUntil(options_.timeout, [&] {
    items = ReadListItems(control);
    return position() < static_cast<std::ptrdiff_t>(items.size());
  });
  if (position() == static_cast<std::ptrdiff_t>(items.size())) {
    Fail(name + " with an item " + Quoted(text), DescribeItems(items));
  }
  return static_cast<int>(position());
}

void CaseRunner::Choose(std::vector<std::string> args) {
  HWND control = VisibleControl(args[0], "to choose from");
  ChooseComboItem(control, ItemIndex(control, args[0], args[1]));
}

void CaseRunner::Open(std::vector<std::string> args) {
  HWND control = VisibleControl(args[0], "to open an item");
  DoubleClickListItem(control, ItemIndex(control, args[0], args[1]));
}

void CaseRunner::ExpectItems(std::vector<std::string> args) {
  const Milliseconds timeout = TakeTimeout(args);
  HWND control = Control(AwaitMainWindow(timeout), args[0]);
  const std::vector<std::string> wanted(args.begin() + 1, args.end());
  std::vector<std::string> items;
  if (!PollUntil(timeout, [&] { return (items = ReadListItems(control)) == wanted; })) {
    Fail(args[0] + " with " + DescribeItems(wanted), DescribeItems(items));
  }
}

void CaseRunner::ExpectText(std::vector<std::string> args) {
  const Milliseconds timeout = TakeTimeout(args);
  HWND control = Control(AwaitMainWindow(timeout), args[0]);
  std::string text;
  if (!PollUntil(timeout, [&] { return (text = ReadWindowText(control)) == args[1]; })) {
    Fail(args[0] + " showing " + Quoted(args[1]), Quoted(text));
  }
}

// "expect-client-size WIDTH HEIGHT": the window's client area, in pixels.
void CaseRunner::ExpectClientSize(std::vector<std::string> args) {
  const SIZE size = ClientSize(AwaitMainWindow(options_.timeout));
  const std::string found = std::to_string(size.cx) + " x " + std::to_string(size.cy);
  const std::string wanted = args[0] + " x " + args[1];
  if (found != wanted) Fail("a client area of " + wanted, found);
}

// "expect-text-fits CONTROL...": each control's text, laid out in the
// control's font as the control lays it out, fits inside the control.
void CaseRunner::ExpectTextFits(std::vector<std::string> args) {
  HWND main_window = AwaitMainWindow(options_.timeout);
  for (const std::string& name : args) {
    HWND control = Control(main_window, name);
    std::string problem;
    const std::optional<TextFit> fit = MeasureTextFit(control, name == "labTitle", problem);
    if (!fit) Fail(name + "'s text measured", problem);
    const auto describe = [](SIZE size) {
      return std::to_string(size.cx) + " x " + std::to_string(size.cy);
    };
    if (!fit->fits()) {
      Fail(name + "'s text " + Quoted(ReadWindowText(control)) + " within " + describe(fit->room),
           describe(fit->text));
    }
    Print("  " + name + ": " + describe(fit->text) + " in " + describe(fit->room) + ", font " +
          fit->font);
  }
}

// expect-answering TEXT LIMIT_MS FOR_MS: once labInstallingFile shows TEXT,
// the window answers every probe within LIMIT_MS for FOR_MS (or as long as
// the text stays), and the meter moves meanwhile.
void CaseRunner::ExpectAnswering(std::vector<std::string> args) {
  const int limit_ms = ParseInteger(args[1], "milliseconds");
  const int for_ms = ParseInteger(args[2], "milliseconds");
  HWND main_window = AwaitMainWindow(options_.timeout);
  HWND label = Control(main_window, "labInstallingFile");
  if (!PollUntil(options_.timeout, [&] { return ReadWindowText(label) == args[0]; })) {
    Fail("labInstallingFile showing " + Quoted(args[0]), Quoted(ReadWindowText(label)));
  }
  const ProbeReport report = ProbeWhileShown(
      main_window, label, Control(main_window, "mtrProgress"), args[0], limit_ms, for_ms);
  Print("  " + std::to_string(report.probes) + " probes, slowest reply " +
        std::to_string(report.slowest_ms) + " ms, " + std::to_string(report.positions.size()) +
        " meter positions");
  if (report.unanswered) {
    Fail("every reply within " + args[1] + " ms",
         "no reply after " + std::to_string(report.slowest_ms) + " ms");
  }
  if (report.positions.size() < 2) {
    Fail("the meter moving while " + Quoted(args[0]) + " is shown",
         std::to_string(report.positions.size()) + " position(s) in " +
             std::to_string(report.probes) + " probes");
  }
}

void CaseRunner::ExpectBox(std::vector<std::string> args) {
  const Milliseconds timeout = TakeTimeout(args);
  if (!installer_.started()) Fail("a box of the installer", ProcessState());
  const BoxContent wanted{args[0], args[1], {args.begin() + 2, args.end()}};
  std::string seen;
  const bool found = PollUntil(timeout, [&] {
    seen.clear();
    for (HWND box : FindBoxes(installer_.id())) {
      const BoxContent content = ReadBox(box);
      if (content.title == wanted.title && content.text == wanted.text &&
          SameButtons(content.buttons, wanted.buttons)) {
        return true;
      }
      seen += (seen.empty() ? "" : "; ") + Describe(content);
    }
    return installer_.ExitCode().has_value();
  });
  if (!found || installer_.ExitCode()) {
    Fail(Describe(wanted), seen.empty() ? "no box; " + ProcessState() : seen);
  }
}

void CaseRunner::ExpectNoBox(std::vector<std::string> args) {
  const Milliseconds timeout = TakeTimeout(args);
  std::string seen;
  const bool none = PollUntil(timeout, [&] {
    seen.clear();
    if (!installer_.started()) return true;
    for (HWND box : FindBoxes(installer_.id()))
      seen += (seen.empty() ? "" : "; ") + Describe(ReadBox(box));
    return seen.empty();
  });
  if (!none) Fail("no box open", seen);
}

void CaseRunner::ActOnBox(Milliseconds timeout, const std::string& wanted,
                          const std::function<HWND(HWND box)>& found,
                          const std::function<void(HWND box, HWND target)>& act) {
  if (!installer_.started()) Fail(wanted, ProcessState());
  HWND box = nullptr;
  HWND target = nullptr;
  PollUntil(timeout, [&] {
    for (HWND candidate : FindBoxes(installer_.id())) {
      if ((target = found(candidate)) != nullptr) {
        box = candidate;
        return true;
      }
    }
    return installer_.ExitCode().has_value();
  });
  if (!target) Fail(wanted, ProcessState() + ", no such box");
  act(box, target);
  // The answer is taken when the box has gone; later steps see the result.
  if (!PollUntil(timeout, [&] { return !IsWindow(box) || !IsWindowVisible(box); })) {
    Fail("the box to close after " + wanted, Describe(ReadBox(box)));
  }
}

void CaseRunner::AnswerBox(std::vector<std::string> args) {
  const Milliseconds timeout = TakeTimeout(args);
  ActOnBox(
      timeout, "a box with the button " + Quoted(args[0]),
      [&](HWND box) { return FindBoxButton(box, args[0]); },
      [](HWND, HWND button) { ClickCentre(button); });
}

// "close-box Escape" or "close-box close-button": a box closed without any
// of its buttons, by the key or by the title bar's close button (the system
// command that the button and Alt+F4 send).
void CaseRunner::CloseBox(std::vector<std::string> args) {
  const Milliseconds timeout = TakeTimeout(args);
  const bool escape = args[0] == "Escape";
  if (!escape && args[0] != "close-button") {
    throw ScriptError("a box is closed by \"Escape\" or \"close-button\", not " + Quoted(args[0]));
  }
  ActOnBox(
      timeout, "a box to close by " + args[0], [](HWND box) { return box; },
      [escape](HWND box, HWND) {
        if (escape) {
          PressKey(box, VK_ESCAPE);
        } else if (!PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0)) {
          throw std::runtime_error("cannot post the close command to the box");
        }
      });
}

void CaseRunner::Screenshot(std::vector<std::string> args) {
  Print("  saved " + SaveScreenshot(args[0]));
}

void CaseRunner::ExpectExit(std::vector<std::string> args) {
  const Milliseconds timeout = TakeTimeout(args);
  if (!installer_.started()) Fail("the installer to end", ProcessState());
  const std::optional<DWORD> code = installer_.WaitForExit(timeout);
  if (!code) Fail("the installer to end", "it still runs");
  if (!args.empty()) {
    const int wanted = ParseInteger(args[0], "an exit code");
    if (static_cast<DWORD>(wanted) != *code) {
      Fail("exit code " + args[0], "exit code " + std::to_string(*code));
    }
  }
}

void CaseRunner::Terminate(std::vector<std::string>) { installer_.Terminate(); }

void CaseRunner::Sleep(std::vector<std::string> args) {
  std::this_thread::sleep_for(Milliseconds(ParseInteger(args[0], "milliseconds")));
}

void CaseRunner::SetTimeout(std::vector<std::string> args) { options_.timeout = Seconds(args[0]); }

void CaseRunner::TimerStart(std::vector<std::string>) {
  timer_start_ = std::chrono::steady_clock::now();
}

void CaseRunner::TimerStop(std::vector<std::string> args) {
  const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - timer_start_);
  char ms[32];
  std::snprintf(ms, sizeof ms, "%.1f", elapsed.count() / 1000.0);
  Print("  timer " + args[0] + ": " + ms + " ms");
}

// "report-memory NAME" prints the installer's memory so far; with
// "below MIB" it also fails when its peak pagefile use reached MIB MiB.
void CaseRunner::ReportMemory(std::vector<std::string> args) {
  if (!installer_.started() || installer_.ExitCode()) Fail("a running installer", ProcessState());
  if (args.size() == 2 || (args.size() == 3 && args[1] != "below"))
    throw ScriptError("write \"report-memory NAME\" or \"report-memory NAME below MIB\"");
  const PROCESS_MEMORY_COUNTERS_EX counters = installer_.MemoryCounters();
  const std::string peak = std::to_string(counters.PeakPagefileUsage);
  Print("  memory " + args[0] + ": private " + std::to_string(counters.PrivateUsage) +
        " peak-pagefile " + peak + " peak-working-set " +
        std::to_string(counters.PeakWorkingSetSize) + " bytes");
  if (args.size() == 3) {
    const size_t limit = static_cast<size_t>(ParseInteger(args[2], "a number of MiB")) << 20;
    if (counters.PeakPagefileUsage >= limit)
      Fail("a peak pagefile use below " + args[2] + " MiB", peak + " bytes");
  }
}

void CaseRunner::Copy(std::vector<std::string> args) { CopyFileTo(args[0], args[1]); }

void CaseRunner::Patch(std::vector<std::string> args) { PatchFirst(args[0], args[1], args[2]); }

void CaseRunner::FlipByteAt(std::vector<std::string> args) {
  FlipByte(args[0], ParseInteger(args[1], "an offset"));
}

// "truncate PATH OFFSET" or "truncate PATH before TEXT".
void CaseRunner::TruncateFile(std::vector<std::string> args) {
  if (args.size() == 3) {
    if (args[1] != "before") throw ScriptError("truncate PATH OFFSET|before TEXT");
    TruncateBefore(args[0], args[2]);
  } else {
    Truncate(args[0], ParseInteger(args[1], "an offset"));
  }
}

// "host-cut PATH LENGTH": the file cut short by the host, while the
// installer may hold it open.
void CaseRunner::CutFromHostSide(std::vector<std::string> args) {
  CutFromHost(args[0], ParseInteger(args[1], "a length"), options_.timeout);
}

void CaseRunner::ExpectFile(std::vector<std::string> args) {
  const Milliseconds timeout = TakeTimeout(args);
  if (!PollUntil(timeout, [&] { return ReadFileBytes(args[0]).has_value(); })) {
    Fail("a file " + Quoted(args[0]), PathExists(args[0]) ? "a folder" : "nothing");
  }
}

void CaseRunner::ExpectNoFile(std::vector<std::string> args) {
  // At once, unless "within" gives the path time to go (a removal that
  // another process finishes).
  const Milliseconds timeout = args.size() > 1 ? TakeTimeout(args) : Milliseconds(0);
  if (!PollUntil(timeout, [&] { return !PathExists(args[0]); })) {
    Fail("nothing at " + Quoted(args[0]), "it exists");
  }
}

// "expect-only-admins-change PATH...": no entry of each one's access list
// lets anyone but SYSTEM and the administrators change it.
void CaseRunner::ExpectOnlyAdminsChange(std::vector<std::string> args) {
  for (const std::string& path : args) {
    const std::string others = testing::OthersWhoMayChange(path);
    if (!others.empty()) Fail(Quoted(path) + " changed only by SYSTEM and administrators", others);
  }
}

// "expect-no-access PATH WHO...": the file's access list, read back, has
// no entry for any of the SDDL account names given (WD everyone, BU users).
void CaseRunner::ExpectNoAccess(std::vector<std::string> args) {
  const std::optional<std::string> found = ReadAccessList(args[0]);
  for (size_t i = 1; i < args.size(); ++i) {
    if (!found || found->find(";;;" + args[i] + ")") != std::string::npos) {
      Fail("no access for " + args[i] + " to " + Quoted(args[0]), found.value_or("no access list"));
    }
  }
}

void CaseRunner::ExpectSameFile(std::vector<std::string> args) {
  const std::optional<std::string> original = ReadFileBytes(args[1]);
  if (!original) throw ScriptError("no file " + Quoted(args[1]) + " to compare with");
  const std::optional<std::string> found = ReadFileBytes(args[0]);
  if (!found) Fail(Quoted(args[0]) + " equal to " + Quoted(args[1]), "no such file");
  if (*found != *original) {
    Fail(Quoted(args[0]) + " equal to " + Quoted(args[1]), Difference(*found, *original));
  }
}

void CaseRunner::ExpectFileHead(std::vector<std::string> args) {
  const std::optional<std::string> original = ReadFileBytes(args[1]);
  if (!original) throw ScriptError("no file " + Quoted(args[1]) + " to compare with");
  const int count = ParseInteger(args[2], "a byte count");
  if (count < 0 || static_cast<size_t>(count) > original->size()) {
    throw ScriptError(Quoted(args[1]) + " has no " + args[2] + " bytes");
  }
  const std::string wanted = original->substr(0, static_cast<size_t>(count));
  const std::optional<std::string> found = ReadFileBytes(args[0]);
  const std::string expected =
      Quoted(args[0]) + " equal to the first " + args[2] + " bytes of " + Quoted(args[1]);
  if (!found) Fail(expected, "no such file");
  if (*found != wanted) Fail(expected, Difference(*found, wanted));
}

void CaseRunner::ExpectVersion(std::vector<std::string> args) {
  const std::optional<std::string> found = ReadVersionText(args[0], args[1]);
  const std::string expected =
      Quoted(args[0]) + " with version text " + args[1] + " " + Quoted(args[2]);
  if (!found) Fail(expected, "no such version text");
  if (*found != args[2]) Fail(expected, Quoted(*found));
}

void CaseRunner::ExpectIconCorner(std::vector<std::string> args) {
  const std::optional<std::string> found = ReadIconCorner(args[0]);
  const std::string expected = Quoted(args[0]) + " with an icon whose top-left pixel is " + args[1];
  if (!found) Fail(expected, "no icon");
  if (*found != args[1]) Fail(expected, *found);
}

void CaseRunner::ExpectFileLines(std::vector<std::string> args) {
  std::string wanted;
  for (size_t i = 1; i < args.size(); ++i) wanted += args[i] + "\r\n";
  const std::optional<std::string> found = ReadFileBytes(args[0]);
  const std::string expected = Quoted(args[0]) + " holding " + std::to_string(args.size() - 1) +
                               " lines, each ended by CR LF: " + Quoted(wanted);
  if (!found) Fail(expected, "no such file");
  if (*found != wanted) Fail(expected, Quoted(*found));
}

void CaseRunner::ExpectRegistry(std::vector<std::string> args) {
  const std::optional<std::string> value = ReadMachineString(args[0], args[1]);
  const std::string expected =
      "HKLM\\" + args[0] + " value " + Quoted(args[1]) + " = " + Quoted(args[2]);
  if (!value) Fail(expected, MachineKeyExists(args[0]) ? "no such value" : "no such key");
  if (*value != args[2]) Fail(expected, Quoted(*value));
}

// "expect-registry-value KEY NAME TYPE TEXT": a REG_SZ with exactly TEXT,
// or a REG_DWORD whose number is TEXT in decimal.
void CaseRunner::ExpectRegistryValue(std::vector<std::string> args) {
  const std::optional<RegistryValue> value = ReadMachineValue(args[0], args[1]);
  const std::string expected =
      "HKLM\\" + args[0] + " value " + Quoted(args[1]) + " = " + args[2] + " " + Quoted(args[3]);
  if (!value) Fail(expected, MachineKeyExists(args[0]) ? "no such value" : "no such key");
  if (value->type != args[2] || value->text != args[3])
    Fail(expected, value->type + " " + Quoted(value->text));
}

// "expect-registry-names KEY NAME...": the key holds these values and no other.
void CaseRunner::ExpectRegistryNames(std::vector<std::string> args) {
  const std::string key = args[0];
  std::vector<std::string> expected(args.begin() + 1, args.end());
  std::vector<std::string> found = MachineValueNames(key);
  std::sort(expected.begin(), expected.end());
  std::sort(found.begin(), found.end());
  if (found != expected) {
    const auto listed = [](const std::vector<std::string>& names) {
      std::string text;
      for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
      return text.empty() ? std::string("none") : text;
    };
    Fail("HKLM\\" + key + " holding exactly " + listed(expected), listed(found));
  }
}

void CaseRunner::ExpectNoRegistry(std::vector<std::string> args) {
  if (MachineKeyExists(args[0])) Fail("no key HKLM\\" + args[0], "it exists");
}

void CaseRunner::ExpectShortcut(std::vector<std::string> args) {
  if (!ReadFileBytes(args[0])) Fail("a shortcut file " + Quoted(args[0]), "no such file");
  const ShortcutFields found = ReadShortcut(args[0]);
  const auto describe = [](const std::string& target, const std::string& description,
                           const std::string& folder) {
    return "target " + Quoted(target) + ", description " + Quoted(description) +
           ", working folder " + Quoted(folder);
  };
  if (found.target != args[1] || found.description != args[2] || found.working_folder != args[3]) {
    Fail(describe(args[1], args[2], args[3]),
         describe(found.target, found.description, found.working_folder));
  }
}

void CaseRunner::WriteText(std::vector<std::string> args) {
  const std::filesystem::path folder = std::filesystem::path(args[0]).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder);
  WriteWholeFile(args[0], std::vector<uint8_t>(args[1].begin(), args[1].end()));
}

void CaseRunner::MakeFolder(std::vector<std::string> args) {
  std::filesystem::create_directories(args[0]);
}

// "make-link LINK TARGET": LINK made a link to the folder TARGET, as a
// user without rights may make one in a folder he can change (under Wine
// a Unix symbolic link, which it shows as a reparse point).
void CaseRunner::MakeLink(std::vector<std::string> args) {
  if (!testing::MakeFolderLink(args[0], args[1])) {
    throw std::runtime_error("cannot make " + Quoted(args[0]) + " a link to " + Quoted(args[1]));
  }
}

// Deletes a file, as another user might between two runs.
void CaseRunner::EraseFile(std::vector<std::string> args) {
  if (!DeleteFileA(args[0].c_str())) {
    throw std::runtime_error("cannot delete the file " + Quoted(args[0]));
  }
}

// Removes an empty folder, as another program might while the installer runs.
void CaseRunner::RemoveFolder(std::vector<std::string> args) {
  if (!RemoveDirectoryA(args[0].c_str())) {
    throw std::runtime_error("cannot remove the folder " + Quoted(args[0]));
  }
}

// Open for reading and writing, the file cannot be deleted, nor opened by a
// reader that allows no writer; "read" holds a running program's file,
// which the system opens for writing to nobody, against deletion only.
void CaseRunner::HoldFile(std::vector<std::string> args) {
  if (args.size() == 2 && args[1] != "read") throw ScriptError("hold-file PATH [read]");
  const DWORD access = args.size() == 2 ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
  UniqueHandle file(CreateFileA(args[0].c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw std::runtime_error("cannot open " + args[0] + " to hold it");
  held_files_.push_back(std::move(file));
}

void CaseRunner::SnapshotFolderTree(std::vector<std::string> args) {
  std::vector<std::string> except;
  if (args.size() > 2) {
    if (args[2] != "except" || args.size() == 3) {
      throw ScriptError("snapshot-folder NAME FOLDER [except PATH...]");
    }
    except.assign(args.begin() + 3, args.end());
  }
  const std::string root = args[1];
  Snapshot& snapshot = snapshots_[args[0]];
  snapshot.take = [root, except] { return SnapshotFolder(root, except); };
  snapshot.entries = snapshot.take();
  Print("  " + std::to_string(snapshot.entries.size()) + " files and folders");
}

void CaseRunner::SnapshotKeyTree(std::vector<std::string> args) {
  const std::string key = args[1];
  Snapshot& snapshot = snapshots_[args[0]];
  snapshot.take = [key] { return SnapshotMachineKey(key); };
  snapshot.entries = snapshot.take();
  Print("  " + std::to_string(snapshot.entries.size()) + " keys and values");
}

void CaseRunner::ExpectUnchanged(std::vector<std::string> args) {
  const Milliseconds timeout = args.size() > 1 ? TakeTimeout(args) : Milliseconds(0);
  const auto found = snapshots_.find(args[0]);
  if (found == snapshots_.end()) throw ScriptError("no snapshot is named " + Quoted(args[0]));
  std::vector<std::string> differences;
  const bool unchanged = PollUntil(timeout, [&] {
    differences = SnapshotDifferences(found->second.entries, found->second.take());
    return differences.empty();
  });
  if (!unchanged) {
    std::string report = std::to_string(differences.size()) + " differences:";
    for (const std::string& difference : differences) report += "\n    " + difference;
    Fail(args[0] + " as it was when the snapshot was taken", report);
  }
}

const CaseRunner::Handler* CaseRunner::FindHandler(const std::string& name) {
  // name, fewest and most words after the name, accepts "within SECONDS"
  static const Handler kHandlers[] = {
      {"start", 1, 5, false, &CaseRunner::Start},
      {"start-registered", 2, 2, false, &CaseRunner::StartRegistered},
      {"wait-window", 0, 0, true, &CaseRunner::WaitWindow},
      {"expect-page", 1, 1, true, &CaseRunner::ExpectPage},
      {"expect-taskbar", 1, 1, false, &CaseRunner::ExpectTaskbar},
      {"click", 1, 1, false, &CaseRunner::Click},
      {"queue-click", 1, 1, false, &CaseRunner::QueueClick},
      {"click-and-queue", 2, 2, false, &CaseRunner::ClickAndQueue},
      {"type", 2, 2, false, &CaseRunner::Type},
      {"press", 2, 3, false, &CaseRunner::Press},
      {"choose", 2, 2, false, &CaseRunner::Choose},
      {"open", 2, 2, false, &CaseRunner::Open},
      {"expect-items", 1, 24, true, &CaseRunner::ExpectItems},
      {"expect-text", 2, 2, true, &CaseRunner::ExpectText},
      {"expect-answering", 3, 3, false, &CaseRunner::ExpectAnswering},
      {"expect-client-size", 2, 2, false, &CaseRunner::ExpectClientSize},
      {"expect-text-fits", 1, 24, false, &CaseRunner::ExpectTextFits},
      {"expect-box", 3, 8, true, &CaseRunner::ExpectBox},
      {"expect-no-box", 0, 0, true, &CaseRunner::ExpectNoBox},
      {"answer-box", 1, 1, true, &CaseRunner::AnswerBox},
      {"close-box", 1, 1, true, &CaseRunner::CloseBox},
      {"screenshot", 1, 1, false, &CaseRunner::Screenshot},
      {"expect-exit", 0, 1, true, &CaseRunner::ExpectExit},
      {"terminate", 0, 0, false, &CaseRunner::Terminate},
      {"sleep", 1, 1, false, &CaseRunner::Sleep},
      {"timeout", 1, 1, false, &CaseRunner::SetTimeout},
      {"timer-start", 0, 0, false, &CaseRunner::TimerStart},
      {"timer-stop", 1, 1, false, &CaseRunner::TimerStop},
      {"report-memory", 1, 3, false, &CaseRunner::ReportMemory},
      {"copy", 2, 2, false, &CaseRunner::Copy},
      {"patch", 3, 3, false, &CaseRunner::Patch},
      {"flip-byte", 2, 2, false, &CaseRunner::FlipByteAt},
      {"truncate", 2, 3, false, &CaseRunner::TruncateFile},
      {"host-cut", 2, 2, false, &CaseRunner::CutFromHostSide},
      {"expect-file", 1, 1, true, &CaseRunner::ExpectFile},
      {"expect-no-file", 1, 1, true, &CaseRunner::ExpectNoFile},
      {"expect-same-file", 2, 2, false, &CaseRunner::ExpectSameFile},
      {"expect-only-admins-change", 1, 8, false, &CaseRunner::ExpectOnlyAdminsChange},
      {"expect-no-access", 2, 6, false, &CaseRunner::ExpectNoAccess},
      {"expect-file-head", 3, 3, false, &CaseRunner::ExpectFileHead},
      {"expect-file-lines", 2, 24, false, &CaseRunner::ExpectFileLines},
      {"expect-version", 3, 3, false, &CaseRunner::ExpectVersion},
      {"expect-icon-corner", 2, 2, false, &CaseRunner::ExpectIconCorner},
      {"expect-registry", 3, 3, false, &CaseRunner::ExpectRegistry},
      {"expect-no-registry", 1, 1, false, &CaseRunner::ExpectNoRegistry},
      {"expect-registry-value", 4, 4, false, &CaseRunner::ExpectRegistryValue},
      {"expect-registry-names", 2, 24, false, &CaseRunner::ExpectRegistryNames},
      {"expect-shortcut", 4, 4, false, &CaseRunner::ExpectShortcut},
      {"write-file", 2, 2, false, &CaseRunner::WriteText},
      {"make-folder", 1, 1, false, &CaseRunner::MakeFolder},
      {"remove-folder", 1, 1, false, &CaseRunner::RemoveFolder},
      {"make-link", 2, 2, false, &CaseRunner::MakeLink},
      {"delete-file", 1, 1, false, &CaseRunner::EraseFile},
      {"hold-file", 1, 2, false, &CaseRunner::HoldFile},
      {"snapshot-folder", 2, 12, false, &CaseRunner::SnapshotFolderTree},
      {"snapshot-key", 2, 2, false, &CaseRunner::SnapshotKeyTree},
      {"expect-unchanged", 1, 1, true, &CaseRunner::ExpectUnchanged},
  };
  for (const Handler& handler : kHandlers) {
    if (name == handler.name) return &handler;
  }
  return nullptr;
}

}  // namespace tidemark::e2e
