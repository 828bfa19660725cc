#include "label/WizardHost.h"

#include "protocol/DocumentHost.h"
#include "protocol/Messages.h"

#include "platform/BoundedJson.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velmora::label {
namespace {

using nlohmann::json;

class Child {
 public:
  explicit Child(const std::vector<std::string>& command) {
    int in[2];
    int out[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0)
      throw WizardError("cannot make pipes to the wizard");
    pid_ = ::fork();
    if (pid_ < 0) throw WizardError("cannot start the wizard");
    if (pid_ == 0) {
      ::dup2(in[0], 0);
      ::dup2(out[1], 1);
      std::vector<char*> argv;
      for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      const std::string says = "velmora-label: cannot run " + command[0] + ": " + std::strerror(errno) + "\n";
      (void)!::write(2, says.data(), says.size());
      ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    in_ = in[1];
    out_ = out[0];
  }

  ~Child() {
    CloseInput();
    if (out_ >= 0) ::close(out_);
    if (pid_ > 0 && status_ < 0) {
      ::kill(pid_, SIGTERM);
      Wait();
    }
  }

  void Send(const json& message) {
    const std::string line = message.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
    for (std::size_t done = 0; done < line.size();) {
      const ssize_t n = ::write(in_, line.data() + done, line.size() - done);
      if (n <= 0) throw WizardError("the wizard stopped reading its input" + Ended());
      done += static_cast<std::size_t>(n);
    }
  }

  // One line, or false at the end of the wizard's output. Throws WizardError
  // when nothing comes for `seconds` (0: wait as long as it takes).
  bool ReadLine(std::string& line, int seconds) {
    for (;;) {
      const std::size_t brk = buffer_.find('\n', scanned_);
      if (brk != std::string::npos) {
        line = buffer_.substr(0, brk);
        buffer_.erase(0, brk + 1);
        scanned_ = 0;
        return true;
      }
      scanned_ = buffer_.size();  // a long line is searched once, not at every chunk
      pollfd ready{out_, POLLIN, 0};
      int polled = 0;
      while ((polled = ::poll(&ready, 1, seconds > 0 ? seconds * 1000 : -1)) < 0 && errno == EINTR) {
      }
      if (polled == 0)
        throw WizardError("the wizard sent nothing for " + std::to_string(seconds) + " s; it was stopped");
      char chunk[65536];
      const ssize_t n = ::read(out_, chunk, sizeof chunk);
      if (n <= 0) return false;
      buffer_.append(chunk, static_cast<std::size_t>(n));
    }
  }

  // Waits `seconds` for the wizard to end; false (and it is killed) when it does not.
  bool WaitFor(int seconds) {
    for (int tenths = 0; status_ < 0 && pid_ > 0; ++tenths) {
      int raw = 0;
      const pid_t done = ::waitpid(pid_, &raw, WNOHANG);
      if (done == pid_) {
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        break;
      }
      if (tenths >= seconds * 10) {
        ::kill(pid_, SIGKILL);
        Wait();
        return false;
      }
      ::usleep(100000);
    }
    return true;
  }

  void CloseInput() {
    if (in_ >= 0) ::close(in_);
    in_ = -1;
  }

  int Wait() {
    if (status_ < 0 && pid_ > 0) {
      int raw = 0;
      while (::waitpid(pid_, &raw, 0) < 0 && errno == EINTR) {
      }
      status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    }
    return status_;
  }

  std::string Ended() { return " (it ended with status " + std::to_string(Wait()) + ")"; }

 private:
  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  int status_ = -1;
  std::string buffer_;
  std::size_t scanned_ = 0;  // of buffer_, known to hold no line break
};

std::string Converse(const std::vector<std::string>& command, const protocol::HostDocument& document,
                     const WizardLimits& limits) {
  Child child(command);
  protocol::DocumentHost host(document);
  child.Send(protocol::Connect("connect", protocol::kDocumentObject, ""));
  for (std::string line;;) {
    if (!child.ReadLine(line, limits.messageSeconds))
      throw WizardError("the wizard ended before it answered Connect" + child.Ended());
    const BoundedJson parsed = ParseBoundedJson(line);
    const json& message = parsed.value;
    if (!parsed.Ok() || !message.is_object()) {
      throw WizardError("the wizard broke the protocol: '" + line.substr(0, 80) + "' is no JSON-RPC message");
    }
    if (message.contains("method") && message["method"].is_string()) {
      child.Send(host.Answer(message));
      continue;
    }
    if (message.value("id", json()) != "connect") continue;  // an answer to nothing of ours
    if (message.contains("error")) {
      const json& e = message["error"];
      const std::string text = e.is_object() && e.contains("message") && e["message"].is_string()
                                   ? e["message"].get<std::string>()
                                   : e.dump(-1, ' ', false, json::error_handler_t::replace);
      throw WizardError("the wizard failed: " + text);
    }
    break;
  }
  child.Send(protocol::Release("release"));
  child.CloseInput();
  if (!child.WaitFor(limits.endSeconds) && limits.stopped) {
    limits.stopped("the wizard did not end within " + std::to_string(limits.endSeconds) +
                   " s of its release; it was stopped");
  }
  // The template is the last import's path (a text), if any.
  for (auto it = host.Imports().rbegin(); it != host.Imports().rend(); ++it) {
    if (it->is_array() && !it->empty() && (*it)[0].is_string()) return (*it)[0].get<std::string>();
  }
  return {};
}

}  // namespace

std::string DesignWithWizard(const std::vector<std::string>& command, const protocol::HostDocument& document,
                             const WizardLimits& limits) {
  try {
    return Converse(command, document, limits);
  } catch (const json::exception& e) {  // a member of the wrong type in the wizard's message
    throw WizardError(std::string("the wizard broke the protocol: ") + e.what());
  }
}

}  // namespace velmora::label
