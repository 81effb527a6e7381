#include "app/install_log_file.h"

#include "app/whole_file.h"

namespace tidemark {

void SaveInstallLogFile(const std::string& path, const InstallLog& log) {
  WriteNewFile(path, log.SaveText());
}

}  // namespace tidemark
