#include "app/uninstaller_step.h"

#include <string>

#include "app/install.h"
#include "app/progress_meter.h"
#include "container/buffered_source.h"
#include "container/items.h"
#include "rules/installed_files.h"
#include "system/file_system.h"

namespace tidemark {

void WriteUninstaller(TfrmInstall& form) {
  const std::string path = UninstallerPathIn(form.installFolder);
  form.installLog.Append(path);
  ForceDirectories(form.installFolder);
  // Start-up descrambled the image in memory; the uninstaller must carry
  // the container exactly as stored, so it is read from the file.
  BufferedSource stored(form.exeFile, 0);
  CopyRawToFile(stored, path, static_cast<int32_t>(form.payloadStart),
                AdvanceProgressMeter(form.Control(ids::kMtrProgress)));
}

}  // namespace tidemark
