#include "app/steps/registration_step.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "rules/shortcut_plan.h"
#include "system/handles.h"
#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

std::string MachineValue(const std::string& key, const char* name) {
  char data[512];
  DWORD size = sizeof data;
  DWORD type = 0;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_ANY, &type, data, &size) !=
      ERROR_SUCCESS) {
    return "<missing>";
  }
  return type == REG_SZ ? std::string(data) : "<not REG_SZ>";
}

class Registration : public ::testing::Test {
 protected:
  ~Registration() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, key_.c_str()); }

  const std::string app_ = testing::UniqueName("Tidemark Test App ");
  const std::string key_ = UninstallKeyPath(app_);
  const ControlInfo no_keys_;
};

DWORD ValueCount(const std::string& key_path) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return 0;
  const RegKey key(opened);
  DWORD count = 0;
  RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                   nullptr, nullptr, nullptr);
  return count;
}

TEST_F(Registration, BothValuesAndASecondInstallationReplacesThem) {
  RegisterUninstallEntry(no_keys_, app_, "C:\\Program Files\\First Place");
  EXPECT_EQ(MachineValue(key_, "DisplayName"), app_);
  EXPECT_EQ(MachineValue(key_, "UninstallString"),
            "\"C:\\Program Files\\First Place\\uninstall.exe\" uninstall");
  RegisterUninstallEntry(no_keys_, app_, "D:\\Second");
  EXPECT_EQ(MachineValue(key_, "UninstallString"), "D:\\Second\\uninstall.exe uninstall");
  EXPECT_EQ(ValueCount(key_), 2u) << "no value but the two without the further keys";
}

TEST_F(Registration, EmptyProductNameLeavesTheSharedKeyAlone) {
  const std::string shared = UninstallKeyPath("");
  const std::string before = MachineValue(shared, "UninstallString");
  RegisterUninstallEntry(no_keys_, "", "C:\\Somewhere");
  EXPECT_EQ(MachineValue(shared, "UninstallString"), before);
}

}  // namespace
}  // namespace tidemark
