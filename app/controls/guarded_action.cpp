#include "app/controls/guarded_action.h"

#include <exception>
#include <new>

#include "app/controls/message_box.h"

namespace tidemark {

void RunReportingErrors(HWND owner, const std::function<void()>& action) {
  try {
    action();
  } catch (const std::bad_alloc&) {
    ShowErrorReport(owner, "Out of memory");
  } catch (const std::exception& error) {
    ShowErrorReport(owner, error.what());
  } catch (...) {
    ShowErrorReport(owner, "Unknown error");
  }
}

}  // namespace tidemark
