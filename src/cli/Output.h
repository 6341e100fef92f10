// The command line's standard streams: output whose loss is noticed, messages that name a
// file as its bytes are, control characters escaped.
#pragma once

#include <string>

namespace Cli {

// Makes sure the three standard descriptors are taken, so that no file opened later becomes
// standard output by accident; a closed standard output is remembered as a failure to write.
void GuardStandardStreams();

// Writes to standard output. Failures are remembered (see OutputFailure()).
void Out(const std::string& text);

// Flushes standard output; the reason when anything written to it was lost, or an empty text.
// A loss is told once: later calls give an empty text for it.
std::string TakeOutputFailure();
// The words before the reason when standard output cannot be written, in every message.
extern const char* const StandardOutputFailed;

// Writes a message to standard error; while a progress line shows there, the message first
// clears it, so that the two never run into each other.
void Err(const std::string& text);

// Whether standard error's last line is a progress line that the next message must clear.
void SetProgressLine(bool shown);

// A file's name for a message: its bytes as they are, control characters as "\n", "\t" or
// "\x1B", so that one name stays on one line.
std::string Shown(const std::string& name);

// A failure that names the file and the reason: "huecipher-cli: FILE: REASON". Returns 1.
int Fail(const std::string& file, const std::string& reason);

}  // namespace Cli
