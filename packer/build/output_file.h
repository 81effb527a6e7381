// Writing a file that the packer makes (an installer, an extracted file)
// without ever destroying what stood there before: the output is written to
// a temporary file beside it and renamed over it only when complete.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "container/file_sink.h"

namespace tidemark {

// Refuses (raises Error) an output path that names anything but a regular
// file or nothing (a device, a folder, a link, a pipe), that is one of
// `inputs`, or that lies in `input_folder` (when given).
void CheckOutputPath(const std::string& output, const std::vector<std::string>& inputs,
                     const std::string& input_folder);

class OutputFile {
 public:
  // Creates the temporary file beside `destination`.
  explicit OutputFile(std::string destination);
  // Removes the temporary file unless Commit has run.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Where the output goes. A write that fails raises Error naming the
  // destination and the system's reason, as Commit does.
  ByteSink& sink() { return checked_sink_; }
  // Closes the temporary file and renames it over the destination. Raises
  // Error naming the destination and the system's reason.
  void Commit();

 private:
  // Passes writes on to the temporary file; its failure becomes the
  // output's own message.
  class CheckedSink : public ByteSink {
   public:
    explicit CheckedSink(OutputFile& output) : output_(output) {}
    void Write(const void* data, size_t count) override;

   private:
    OutputFile& output_;
  };

  // The message for a write that failed, naming the destination.
  std::string WriteFailure() const;

  std::string destination_;
  std::string temporary_;
  std::unique_ptr<FileSink> sink_;
  bool committed_ = false;
  CheckedSink checked_sink_{*this};
};

// Makes SIGINT, SIGTERM and (where there is one) SIGHUP remove the temporary file being written
// before the program ends as the signal would have ended it.
void RemoveTemporaryFilesOnSignals();

}  // namespace tidemark
