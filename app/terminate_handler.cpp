// The stub's own default terminate handler, replacing libstdc++'s verbose
// one. That one names the exception's type through the C++ demangler, which
// alone is about 45 KB of the stub. This one says the same on stderr with the
// type's mangled name, then aborts just the same.
#include <cxxabi.h>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <typeinfo>

namespace {

void Say(const char* text) { std::fputs(text, stderr); }

}  // namespace

namespace __gnu_cxx {

// Defining it here keeps libstdc++'s version (and the demangler it calls)
// out of the link; the runtime's default handler refers to it by this name.
void __verbose_terminate_handler() {
  static bool terminating = false;
  if (terminating) {
    Say("terminate called recursively\n");
    std::abort();
  }
  terminating = true;

  const std::type_info* type = abi::__cxa_current_exception_type();
  if (type == nullptr) {
    Say("terminate called without an active exception\n");
    std::abort();
  }
  const char* name = type->name();
  Say("terminate called after throwing an instance of '");
  Say(name[0] == '*' ? name + 1 : name);
  Say("'\n");
  try {
    throw;
  } catch (const std::exception& error) {
    Say("  what():  ");
    Say(error.what());
    Say("\n");
  } catch (...) {
    // Not a standard exception: there is no text to add to the report.
  }
  std::abort();
}

}  // namespace __gnu_cxx
