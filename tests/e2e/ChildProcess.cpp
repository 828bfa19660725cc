#include "ChildProcess.h"

#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace velmora::test {

ChildProcess::ChildProcess(const std::vector<std::string>& args, const std::string& stderrFile) {
  int toChild[2];
  int fromChild[2];
  if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) throw std::runtime_error("pipe failed");
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(toChild[0], 0);
    ::dup2(fromChild[1], 1);
    const int err = ::open(stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(err, 2);
    ::close(toChild[1]);
    ::close(fromChild[0]);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(toChild[0]);
  ::close(fromChild[1]);
  in_ = toChild[1];
  out_ = fromChild[0];
}

ChildProcess::~ChildProcess() {
  CloseInput();
  if (out_ >= 0) ::close(out_);
  if (status_ < 0 && pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
}

void ChildProcess::Write(const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(in_, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return;  // the child closed its input
    done += static_cast<std::size_t>(n);
  }
}

bool ChildProcess::ReadLine(std::string& line) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  for (;;) {
    const std::size_t newline = buffer_.find('\n');
    if (newline != std::string::npos) {
      line = buffer_.substr(0, newline);
      buffer_.erase(0, newline + 1);
      return true;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd p{out_, POLLIN, 0};
    if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
    char chunk[4096];
    const ssize_t n = ::read(out_, chunk, sizeof chunk);
    if (n <= 0) return false;
    buffer_.append(chunk, static_cast<std::size_t>(n));
  }
}

void ChildProcess::CloseInput() {
  if (in_ >= 0) ::close(in_);
  in_ = -1;
}

void ChildProcess::Signal(int signal) const { ::kill(pid_, signal); }

int ChildProcess::Wait() {
  if (status_ >= 0) return status_;
  for (int i = 0; i < 2000; ++i) {
    int raw = 0;
    rusage usage{};
    if (::wait4(pid_, &raw, WNOHANG, &usage) == pid_) {
      status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
      peakKilobytes_ = usage.ru_maxrss;
      return status_;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
  status_ = 137;
  return status_;
}

std::string ChildProcess::Maps() const {
  std::ifstream in("/proc/" + std::to_string(pid_) + "/maps");
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Outcome RunToEnd(const std::vector<std::string>& args, const std::string& stderrFile) {
  Outcome o;
  {
    ChildProcess child(args, stderrFile);
    child.CloseInput();
    for (std::string line; child.ReadLine(line);) o.out += line + "\n";
    o.status = child.Wait();
  }
  std::ifstream in(stderrFile, std::ios::binary);
  o.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return o;
}

}  // namespace velmora::test
