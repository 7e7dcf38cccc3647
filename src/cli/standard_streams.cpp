#include "cli/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>

#include "cli/cli.h"

namespace korvex {

DescriptorOutputBuffer::DescriptorOutputBuffer(int descriptor, bool usable)
    : descriptor_(descriptor), usable_(usable) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

DescriptorOutputBuffer::~DescriptorOutputBuffer() { Drain(); }

bool DescriptorOutputBuffer::WriteAll(const char* text, size_t count) {
  if (failure_) return false;
  if (count > 0 && !usable_) failure_ = EBADF;
  while (count > 0 && !failure_) {
    const ssize_t written = ::write(descriptor_, text, count);
    if (written < 0) {
      if (errno == EINTR) continue;
      failure_ = errno;
      return false;
    }
    text += written;
    count -= static_cast<size_t>(written);
  }
  return !failure_;
}

bool DescriptorOutputBuffer::Drain() {
  const bool ok = WriteAll(pbase(), static_cast<size_t>(pptr() - pbase()));
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return ok;
}

DescriptorOutputBuffer::int_type DescriptorOutputBuffer::overflow(int_type c) {
  if (!Drain()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

int DescriptorOutputBuffer::sync() { return Drain() ? 0 : -1; }

std::streamsize DescriptorOutputBuffer::xsputn(const char* text, std::streamsize count) {
  if (failure_) return 0;
  if (count <= epptr() - pptr()) {
    std::memcpy(pptr(), text, static_cast<size_t>(count));
    pbump(static_cast<int>(count));
    return count;
  }
  if (!Drain() || !WriteAll(text, static_cast<size_t>(count))) return 0;
  return count;
}

DescriptorInputBuffer::DescriptorInputBuffer(int descriptor, bool usable)
    : descriptor_(descriptor), usable_(usable) {
  setg(buffer_.data(), buffer_.data(), buffer_.data());
}

DescriptorInputBuffer::int_type DescriptorInputBuffer::underflow() {
  if (!usable_) failure_ = EBADF;
  if (failure_) return traits_type::eof();
  ssize_t got = 0;
  do {
    got = ::read(descriptor_, buffer_.data(), buffer_.size());
  } while (got < 0 && errno == EINTR);
  if (got < 0) failure_ = errno;
  if (got <= 0) return traits_type::eof();
  setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
  return traits_type::to_int_type(buffer_[0]);
}

int StatusAfterStreams(int command_status, const DescriptorInputBuffer& in,
                       const DescriptorOutputBuffer& out, std::ostream& err) {
  if (out.failure() == EPIPE) return kExitBrokenPipe;
  int status = command_status;
  if (const std::optional<int> failure = in.failure()) {
    err << "korvex-cli: cannot read standard input: " << std::strerror(*failure) << '\n';
    status = kExitUsage;
  }
  if (const std::optional<int> failure = out.failure()) {
    err << "korvex-cli: cannot write to standard output: " << std::strerror(*failure) << '\n';
    if (status == kExitOk) status = kExitFailed;
  }
  err.flush();
  return status;
}

bool ReserveStandardDescriptor(int descriptor) {
  if (::fcntl(descriptor, F_GETFD) != -1) return true;
  const int placeholder = ::open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
  if (placeholder >= 0 && placeholder != descriptor) {
    ::dup2(placeholder, descriptor);
    ::close(placeholder);
  }
  return false;
}

}  // namespace korvex
