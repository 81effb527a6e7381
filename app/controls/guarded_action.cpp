#include "app/controls/guarded_action.h"

#include <exception>
#include <new>

#include "app/controls/message_box.h"

namespace tidemark {

std::optional<std::string> RunCatchingErrors(const std::function<void()>& action) {
  try {
    action();
    return std::nullopt;
  } catch (const std::bad_alloc&) {
    return "Out of memory";
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return "Unknown error";
  }
}

void RunReportingErrors(HWND owner, const std::function<void()>& action) {
  if (const std::optional<std::string> report = RunCatchingErrors(action)) {
    ShowErrorReport(owner, *report);
  }
}

}  // namespace tidemark
