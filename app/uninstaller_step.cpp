#include "app/uninstaller_step.h"

#include <string>

#include "app/install.h"
#include "app/progress_meter.h"
#include "container/certificate_table.h"
#include "container/items.h"
#include "rules/installed_files.h"
#include "system/file_system.h"

namespace tidemark {

void WriteUninstaller(TfrmInstall& form) {
  const std::string path = UninstallerPathIn(form.installFolder);
  form.installLog.Append(path);
  ForceDirectories(form.installFolder);
  // Start-up descrambled the image in memory; the uninstaller must carry
  // the container exactly as stored.
  // Of a signed installer it is a well-formed unsigned program: its header
  // names no certificate table.
  form.exeImage.Assign(form.exeFile.ReadImage());
  ClearSignatureFields(form.exeImage.mutable_data(), static_cast<size_t>(form.exeImage.Size()));
  form.exeImage.Seek(0);
  CopyRawToFile(form.exeImage, path, static_cast<int32_t>(form.payloadStart),
                AdvanceProgressMeter(form.Control(ids::kMtrProgress)));
}

}  // namespace tidemark
