// The process's standard input and output as C++ streams that remember why
// a read or write failed, so the program can say so and end with a failure
// instead of losing output silently.
#pragma once

#include <array>
#include <iosfwd>
#include <optional>
#include <streambuf>

namespace korvex {

// Writes to a file descriptor through a buffer; the first failure's errno
// is kept and every later write fails at once.
class DescriptorOutputBuffer : public std::streambuf {
 public:
  // `usable` is false when the descriptor was closed before the program
  // started: every write then fails as a write to a closed descriptor.
  DescriptorOutputBuffer(int descriptor, bool usable);
  ~DescriptorOutputBuffer() override;
  DescriptorOutputBuffer(const DescriptorOutputBuffer&) = delete;
  DescriptorOutputBuffer& operator=(const DescriptorOutputBuffer&) = delete;

  std::optional<int> failure() const { return failure_; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;

 private:
  bool WriteAll(const char* text, size_t count);
  bool Drain();

  int descriptor_;
  bool usable_;
  std::optional<int> failure_;
  std::array<char, 1 << 16> buffer_;
};

// Reads from a file descriptor; a read error (a directory, a closed
// descriptor) ends the input like end of file, and its errno is kept.
class DescriptorInputBuffer : public std::streambuf {
 public:
  DescriptorInputBuffer(int descriptor, bool usable);
  DescriptorInputBuffer(const DescriptorInputBuffer&) = delete;
  DescriptorInputBuffer& operator=(const DescriptorInputBuffer&) = delete;

  std::optional<int> failure() const { return failure_; }

 protected:
  int_type underflow() override;

 private:
  int descriptor_;
  bool usable_;
  std::optional<int> failure_;
  std::array<char, 1 << 16> buffer_;
};

// Exit status 128 + SIGPIPE, as a shell reports a writer killed by a closed
// pipe; a write that meets EPIPE ends quietly with the same status.
inline constexpr int kExitBrokenPipe = 141;

// The command's exit status adjusted for what happened to the standard
// streams: an unreadable input is a usage failure (2), an unwritable output
// a failure (1), both with a message on `err` naming the stream and the
// system's reason.
int StatusAfterStreams(int command_status, const DescriptorInputBuffer& in,
                       const DescriptorOutputBuffer& out, std::ostream& err);

// Whether `descriptor` is open. A closed standard descriptor is taken over
// by /dev/null (so a file the program opens later cannot land on it); the
// result says whether the caller should treat it as closed.
bool ReserveStandardDescriptor(int descriptor);

}  // namespace korvex
