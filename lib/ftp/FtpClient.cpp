#include "ftp/FtpClient.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <vector>

#include "ftp/FtpReply.h"
#include "ftp/Socket.h"

namespace ftp {
namespace {

using Clock = std::chrono::steady_clock;
using Kind = FtpError::Kind;

// Data is read in pieces larger than the progress block: fewer system calls, the same
// progress events (OnWork still reports every multiple of kReceiveBlock).
constexpr std::size_t kDataChunk = 8 * kReceiveBlock;

bool Accepts(int code, std::initializer_list<int> accepted) {
  for (int a : accepted) {
    if (a == code) return true;
  }
  return false;
}

// The reply as the server sent it, code first: a reply without text still says something.
std::string Describe(const Reply& reply) {
  return Printable(std::to_string(reply.code) + (reply.text.empty() ? "" : " " + reply.text));
}

void Expect(const Reply& reply, std::initializer_list<int> accepted) {
  if (!Accepts(reply.code, accepted)) throw FtpError(Kind::Refused, reply.code, Describe(reply));
}

// A reply that arrives while the data still flows: the transfer's end (2xx, and 426 or 450,
// which some servers send when the data connection closes) or a sign that the server gave up.
bool EndsTransferInError(const Reply& reply) {
  return reply.code >= 400 && reply.code != 426 && reply.code != 450;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

// Re-entrancy: OnIdle and the work events may run arbitrary code, including Abort, Quit or
// Connect on this client. Each public call therefore remembers the session it started in,
// and after every callback checks that the session is still the same and its sockets still
// open; if not, it stops with an FtpError and touches nothing that the nested call now owns.
struct FtpClient::Impl {
  explicit Impl(FtpClient& client) : owner(client) {}

  FtpClient& owner;
  net::Socket control;
  net::Address peer;
  ReplyReader reader;
  // Bumped whenever the control connection is opened or dropped.
  std::uint64_t session = 1;
  // Session in which a Size or Get runs; a nested one in the same session would mix replies.
  std::uint64_t busySession = 0;
  // Data connection of the running retrieve, for Abort to close.
  net::Socket* transfer = nullptr;

  // What a blocking step must still find in place after each callback.
  struct Guard {
    std::uint64_t session;
    const net::Socket* data = nullptr;
  };

  void Check(const Guard& g) const {
    if (session != g.session || !control.IsOpen()) {
      throw FtpError(Kind::Closed, 0, "the connection was closed while the call was running");
    }
    if (g.data != nullptr && !g.data->IsOpen()) {
      throw FtpError(Kind::Closed, 0, "the transfer was aborted");
    }
  }

  void Idle() {
    if (!owner.OnIdle) return;
    // A copy, so a handler that replaces OnIdle does not destroy the function it runs in.
    const auto hook = owner.OnIdle;
    hook();
  }

  void Drop() {
    control.Close();
    if (transfer != nullptr) transfer->Close();
    reader.Clear();
    ++session;
  }

  // The one blocking wait: polls for at most kIdlePollMs at a time and calls OnIdle after
  // every poll. check runs after OnIdle, before the socket is used again.
  template <typename CheckFn>
  void Wait(const net::Socket& socket, net::Socket::Want want,
            std::optional<Clock::time_point> deadline, CheckFn&& check) {
    check();
    for (;;) {
      int slice = kIdlePollMs;
      if (deadline) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - Clock::now());
        slice = static_cast<int>(
            std::max<std::int64_t>(0, std::min<std::int64_t>(slice, left.count())));
      }
      const bool ready = socket.Poll(want, slice);
      Idle();
      check();
      if (ready) return;
      if (deadline && Clock::now() >= *deadline) {
        throw FtpError(Kind::Connect, 0,
                       "no connection within " + std::to_string(kConnectTimeoutMs) + " ms");
      }
    }
  }

  void Wait(const net::Socket& socket, net::Socket::Want want, const Guard& g) {
    Wait(socket, want, std::nullopt, [&] { Check(g); });
  }

  // TCP connect to the first address that answers before the deadline.
  net::Socket Dial(const std::vector<net::Address>& addresses, const std::function<void()>& check) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(kConnectTimeoutMs);
    std::string failure = "no address";
    for (const auto& address : addresses) {
      net::Socket socket;
      int error = socket.StartConnect(address);
      if (error == 0) {
        Wait(socket, net::Socket::Want::Write, deadline, check);
        error = socket.ConnectResult();
      }
      if (error == 0) return socket;
      failure = net::Describe(address) + ": " + net::ErrorText(error);
    }
    throw FtpError(Kind::Connect, 0, "cannot connect to " + failure);
  }

  void SendLine(const std::string& line, const Guard& g) {
    SendAll(line + "\r\n", g);
    Idle();
    Check(g);
  }

  void SendAll(const std::string& wire, const Guard& g) {
    std::size_t sent = 0;
    while (sent < wire.size()) {
      const auto io = control.Send(wire.data() + sent, wire.size() - sent);
      if (io.error != 0) {
        Drop();
        throw FtpError(Kind::Closed, 0, "connection lost: " + net::ErrorText(io.error));
      }
      if (io.wouldBlock) {
        Wait(control, net::Socket::Want::Write, g);
        continue;
      }
      sent += io.bytes;
    }
  }

  // A complete reply when one has arrived.
  std::optional<Reply> NextReply() {
    try {
      return reader.Next();
    } catch (const FtpError&) {
      Drop();  // the stream is out of step for good
      throw;
    }
  }

  // Reads what the control connection has for the reader; call when it polled ready.
  void ReceiveControl() {
    char buffer[4096];
    const auto io = control.Receive(buffer, sizeof buffer);
    if (io.wouldBlock) return;
    if (io.closed || io.error != 0) {
      // What the server said before it went is often the reason it went.
      const std::string unfinished = reader.Unfinished();
      Drop();
      std::string message = io.closed ? "the server closed the connection"
                                      : "connection lost: " + net::ErrorText(io.error);
      if (!unfinished.empty()) message += ": " + Printable(unfinished);
      throw FtpError(Kind::Closed, 0, message);
    }
    reader.Feed(buffer, io.bytes);
  }

  Reply ReadReply(const Guard& g) {
    for (;;) {
      if (auto reply = NextReply()) return *reply;
      Wait(control, net::Socket::Want::Read, g);
      ReceiveControl();
    }
  }

  Reply Command(const std::string& line, const Guard& g) {
    SendLine(line, g);
    return ReadReply(g);
  }

  Guard Begin() {
    if (!control.IsOpen()) throw FtpError(Kind::Closed, 0, "not connected");
    if (busySession == session) {
      throw FtpError(Kind::Protocol, 0, "another command is still running on this connection");
    }
    return Guard{session};
  }

  // Marks the session busy for the length of one Size or Get.
  class Busy {
   public:
    Busy(Impl& impl, std::uint64_t session) : impl_(impl), previous_(impl.busySession) {
      impl_.busySession = session;
    }
    ~Busy() { impl_.busySession = previous_; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    Impl& impl_;
    std::uint64_t previous_;
  };

  // Registers the data connection for Abort; a nested retrieve restores the outer one.
  class ActiveTransfer {
   public:
    ActiveTransfer(Impl& impl, net::Socket& data) : impl_(impl), previous_(impl.transfer) {
      impl_.transfer = &data;
    }
    ~ActiveTransfer() { impl_.transfer = previous_; }
    ActiveTransfer(const ActiveTransfer&) = delete;
    ActiveTransfer& operator=(const ActiveTransfer&) = delete;

   private:
    Impl& impl_;
    net::Socket* previous_;
  };

  void Login(const Guard& g) {
    Expect(ReadReply(g), {220});
    const Reply user = Command("USER " + owner.Username, g);
    Expect(user, {230, 331});
    if (user.code == 331) Expect(Command("PASS " + owner.Password, g), {230});
    Expect(Command("TYPE I", g), {200});
    Expect(Command("SYST", g), {200, 215, 500});
  }

  // Waits for the data connection while watching the control connection as well: a server
  // that gives up on a transfer (or never serves the data connection it offered) says so
  // there, or closes it, and may leave the data connection open for good. A reply that ends
  // the transfer normally is kept in `early` for after the data.
  void WaitForData(const net::Socket& data, std::optional<Reply>& early, const Guard& g) {
    Check(g);
    for (;;) {
      if (!early) early = NextReply();
      // A server closes the data connection before it reports the end, so whatever the data
      // connection already holds is read first, also when the reply says the transfer failed.
      const bool failed = early && EndsTransferInError(*early);
      net::Socket::Readiness ready;
      if (early) {
        // The end reply is in: the control connection has nothing more to say for now.
        ready.self = data.Poll(net::Socket::Want::Read, failed ? 0 : kIdlePollMs);
      } else {
        ready = data.PollRead(control, kIdlePollMs);
      }
      Idle();
      Check(g);
      if (ready.self) return;
      if (failed) throw FtpError(Kind::Refused, early->code, Describe(*early));
      if (ready.other) ReceiveControl();
    }
  }

  // The data phase of a retrieve: everything until the server closes the data connection.
  void Receive(net::Socket& data, std::FILE* file, const std::string& hostPath,
               std::optional<Reply>& early, const Guard& g) {
    std::vector<char> buffer(kDataChunk);
    std::int64_t total = 0;
    std::int64_t reported = 0;
    for (;;) {
      WaitForData(data, early, g);
      const auto io = data.Receive(buffer.data(), buffer.size());
      if (io.wouldBlock) continue;
      if (io.closed) break;
      if (io.error != 0) {
        throw FtpError(Kind::Closed, 0, "data connection lost: " + net::ErrorText(io.error));
      }
      if (std::fwrite(buffer.data(), 1, io.bytes, file) != io.bytes) {
        throw FtpError(Kind::LocalFile, 0,
                       "cannot write " + hostPath + ": " + std::strerror(errno));
      }
      total += static_cast<std::int64_t>(io.bytes);
      while (total - reported >= static_cast<std::int64_t>(kReceiveBlock)) {
        reported += static_cast<std::int64_t>(kReceiveBlock);
        if (owner.OnWork) {
          const auto work = owner.OnWork;
          work(reported);
          Check(g);
        }
      }
    }
  }

  void WorkEnd() {
    if (!owner.OnWorkEnd) return;
    const auto end = owner.OnWorkEnd;
    end();
  }
};

FtpClient::FtpClient() : impl_(std::make_unique<Impl>(*this)) {}
FtpClient::~FtpClient() = default;

bool FtpClient::Connected() const {
  return impl_->control.IsOpen();
}

void FtpClient::Connect() {
  Impl& impl = *impl_;
  // A client that is still connected starts over on a fresh connection.
  if (impl.control.IsOpen()) impl.Drop();
  const std::uint64_t before = impl.session;
  const auto addresses = net::Resolve(Host, Port);
  auto socket = impl.Dial(addresses, [&] {
    if (impl.session != before) {
      throw FtpError(Kind::Closed, 0, "another connection was opened while connecting");
    }
  });
  impl.control = std::move(socket);
  impl.peer = impl.control.Peer();
  impl.reader.Clear();
  ++impl.session;
  const Impl::Guard g{impl.session};
  try {
    impl.Login(g);
  } catch (...) {
    // Leave the client unconnected, unless a nested call already owns a newer session.
    if (impl.session == g.session) impl.Drop();
    throw;
  }
}

std::int64_t FtpClient::Size(const std::string& path) {
  Impl& impl = *impl_;
  const Impl::Guard g = impl.Begin();
  Impl::Busy busy(impl, g.session);
  const Reply reply = impl.Command("SIZE " + path, g);
  return reply.code == 213 ? ParseSizeText(reply.text) : -1;
}

void FtpClient::Get(const std::string& path, const std::string& hostPath) {
  Impl& impl = *impl_;
  const Impl::Guard g = impl.Begin();
  Impl::Busy busy(impl, g.session);

  File file(std::fopen(hostPath.c_str(), "wb"));
  if (!file) {
    throw FtpError(Kind::LocalFile, 0, "cannot create " + hostPath + ": " + std::strerror(errno));
  }

  const Reply pasv = impl.Command("PASV", g);
  Expect(pasv, {227});
  const auto passive = ParsePasvText(pasv.text);
  if (!passive || passive->port == 0) {
    throw FtpError(Kind::Protocol, pasv.code, "unreadable passive address: " + Describe(pasv));
  }
  // Only the port is taken from the reply: the data connection goes to the host we are
  // already talking to, so a server cannot send us to another machine.
  net::Socket data = impl.Dial({net::WithPort(impl.peer, passive->port)}, [&] { impl.Check(g); });
  Impl::ActiveTransfer active(impl, data);
  const Impl::Guard dataGuard{g.session, &data};

  Expect(impl.Command("RETR " + path, g), {125, 150, 154});

  // An exception from OnWorkBegin ends the retrieve here: no data, no end event, and the
  // final reply stays unread.
  if (OnWorkBegin) {
    const auto begin = OnWorkBegin;
    begin(0);
  }
  std::optional<Reply> early;
  try {
    impl.Receive(data, file.get(), hostPath, early, dataGuard);
    data.Close();
    if (std::fclose(file.release()) != 0) {
      throw FtpError(Kind::LocalFile, 0, "cannot write " + hostPath + ": " + std::strerror(errno));
    }
  } catch (...) {
    data.Close();
    impl.WorkEnd();
    throw;
  }
  impl.WorkEnd();
  impl.Check(g);

  const Reply done = early ? *early : impl.ReadReply(g);
  // Some servers report the closed data connection as 426 or 450 and then confirm the
  // transfer with 226 or 225; the data is complete all the same.
  if (done.code == 426 || done.code == 450) {
    Expect(impl.ReadReply(g), {225, 226});
  } else {
    Expect(done, {225, 226, 250});
  }
}

void FtpClient::Abort() {
  Impl& impl = *impl_;
  if (!impl.control.IsOpen()) throw FtpError(Kind::Closed, 0, "not connected");
  impl.SendAll("ABOR\r\n", Impl::Guard{impl.session});
  if (impl.transfer != nullptr) impl.transfer->Close();
  impl.Idle();
}

void FtpClient::Quit() {
  Impl& impl = *impl_;
  if (!impl.control.IsOpen()) return;
  static constexpr char kQuit[] = "QUIT\r\n";
  // A server that has already gone is no error: the connection is being closed anyway.
  impl.control.DiscardPending();
  (void)impl.control.Send(kQuit, sizeof kQuit - 1);
  impl.Drop();
  impl.Idle();
}

}  // namespace ftp
