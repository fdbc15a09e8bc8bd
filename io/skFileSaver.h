// skFileSaver: the one way skivo writes a whole file (the learner's tables,
// the arena's report). What a save does depends on what stands at the path:
//
// - nothing, in a folder the caller may write, or a regular file the caller
//   may write: the text goes to a temporary file beside it, is flushed to
//   disk and renamed over the path, and the folder is flushed too. A reader
//   sees the old file or the new one, whole, even if the saving process is
//   killed; a killed save leaves at most one temporary file
//   (".NAME.skivo-save-PID-N"), which the next save to that path removes.
//   The old file's mode and, where the caller may set them, its owner and
//   group are kept;
// - a file the caller may not write (another owner's, or one with no write
//   permission bit at all: read-only even for root): refused;
// - a symbolic link: the save goes to the file it points at, by the same
//   rules; the link stays a link;
// - a character or block device, a pipe (FIFO) or a socket, "-" (standard
//   output) and names of this process's descriptors (/dev/stdout, /dev/fd/N,
//   /proc/self/fd/N): never replaced, written in place as a stream. A pipe
//   that no process opens for reading within the wait given is an error;
// - a folder, a missing folder, a full disk: refused.
//
// A refused or failed save returns false with the reason and changes nothing
// at the path (a stream may have received part of the text). Signals that
// would end the process on a closed pipe or a file-size limit (SIGPIPE,
// SIGXFSZ) become errors of the save instead.
#pragma once

#include <string>

namespace skivo {

class skFileSaver {
 public:
  // Milliseconds a save waits for a reader to open a pipe.
  static constexpr int defaultPipeWaitMs = 5000;

  // Writes text to path as above. On failure returns false and sets error to
  // the reason (without the path, e.g. "it is a directory").
  static bool save(const std::string& path, const std::string& text, std::string& error,
                   int pipeWaitMs = defaultPipeWaitMs);

  // Whether a save to path would be allowed now, by the same rules, without
  // writing anything (a pipe is not opened: its reader may come later).
  static bool check(const std::string& path, std::string& error);

  // Whether a save to path replaces a file, so that a later save supersedes
  // an earlier one; false for streams, where each save adds to the last.
  static bool replaces(const std::string& path);
};

}  // namespace skivo
