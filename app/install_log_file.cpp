#include "app/install_log_file.h"

#include <memory>

#include "container/file_sink.h"

namespace tidemark {

void SaveInstallLogFile(const std::string& path, const InstallLog& log) {
  const std::string text = log.SaveText();
  const std::unique_ptr<FileSink> file = CreateFileSink(path);
  file->Write(text.data(), text.size());
  file->Close();
}

}  // namespace tidemark
