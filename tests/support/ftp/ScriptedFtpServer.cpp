#include "ftp/ScriptedFtpServer.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

#include "ftp/LoopbackSockets.h"

namespace ftptest {
namespace {

using namespace std::chrono_literals;

// How long RETR waits for the client's data connection before giving up with 425.
constexpr auto kDataAcceptLimit = 5s;

constexpr const char* kGreeting = "220 Scripted FTP server ready";
constexpr const char* kLoopbackPasvHost = "127,0,0,1";
constexpr const char* kTransferComplete = "226 Transfer complete";

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

}  // namespace

// What one control connection has set up.
struct ScriptedFtpServer::Session {
  int number = 0;
  int control = -1;
  int pasvListener = -1;
  std::string user;
  // The client can no longer be answered; what it sent before it went is still recorded.
  bool peerGone = false;
  bool closing = false;
  ~Session() {
    loopback::Close(control);
    loopback::Close(pasvListener);
  }
};

ScriptedFtpServer::ScriptedFtpServer() {
  ResetScript();
  listener_ = loopback::Listen(port_);
  if (listener_ >= 0) acceptThread_ = std::thread([this] { AcceptLoop(); });
}

ScriptedFtpServer::~ScriptedFtpServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (acceptThread_.joinable()) acceptThread_.join();
  // No new session threads can appear once the accept loop has ended.
  for (auto& t : sessionThreads_) t.join();
  loopback::Close(listener_);
}

void ScriptedFtpServer::AddFile(const std::string& path, std::string bytes) {
  std::lock_guard lock(mutex_);
  files_[path] = std::move(bytes);
}

void ScriptedFtpServer::SetAccount(const std::string& user, const std::string& password) {
  std::lock_guard lock(mutex_);
  user_ = user;
  password_ = password;
  checkAccount_ = true;
}

void ScriptedFtpServer::SetReply(const std::string& key, const std::string& reply) {
  std::lock_guard lock(mutex_);
  replies_[key] = reply;
}

void ScriptedFtpServer::SetGreeting(const std::string& reply) {
  std::lock_guard lock(mutex_);
  greeting_ = reply;
}

void ScriptedFtpServer::ResetScript() {
  std::lock_guard lock(mutex_);
  replies_.clear();
  delays_.clear();
  shortenings_.clear();
  greeting_ = kGreeting;
  refusals_ = 0;
  pasvHost_ = kLoopbackPasvHost;
  transferEnd_ = {kTransferComplete};
  paceChunk_ = 0;
  paceDelay_ = std::chrono::milliseconds(0);
}

void ScriptedFtpServer::SetReplyDelay(const std::string& key, std::chrono::milliseconds delay) {
  std::lock_guard lock(mutex_);
  delays_[key] = delay;
}

void ScriptedFtpServer::RefuseConnections(int count, Refusal how) {
  std::lock_guard lock(mutex_);
  refusals_ = count;
  refusal_ = how;
}

void ScriptedFtpServer::SetPasvHost(const std::string& commaSeparated) {
  std::lock_guard lock(mutex_);
  pasvHost_ = commaSeparated;
}

void ScriptedFtpServer::SetTransferEnd(std::vector<std::string> replies) {
  std::lock_guard lock(mutex_);
  transferEnd_ = std::move(replies);
}

void ScriptedFtpServer::ShortenRetrieves(const std::string& path, std::size_t missingBytes,
                                         int times) {
  std::lock_guard lock(mutex_);
  shortenings_[path] = Shortening{missingBytes, times};
}

void ScriptedFtpServer::SetDataPacing(std::size_t chunkBytes, std::chrono::milliseconds delay) {
  std::lock_guard lock(mutex_);
  paceChunk_ = chunkBytes;
  paceDelay_ = delay;
}

std::vector<std::string> ScriptedFtpServer::Transcript() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> out;
  for (const auto& entry : transcript_) out.push_back(entry.line);
  return out;
}

std::vector<std::vector<std::string>> ScriptedFtpServer::TranscriptByConnection() const {
  std::lock_guard lock(mutex_);
  std::vector<std::vector<std::string>> out(static_cast<std::size_t>(connections_));
  for (const auto& entry : transcript_) {
    if (entry.line != kConnect)
      out[static_cast<std::size_t>(entry.connection - 1)].push_back(entry.line);
  }
  return out;
}

int ScriptedFtpServer::DataConnections() const {
  std::lock_guard lock(mutex_);
  return dataConnections_;
}

bool ScriptedFtpServer::WaitUntilIdle(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [this] { return openSessions_ == 0; });
}

void ScriptedFtpServer::Record(const Session& session, std::string line) {
  std::lock_guard lock(mutex_);
  transcript_.push_back(Entry{session.number, std::move(line)});
}

bool ScriptedFtpServer::Pause(std::chrono::milliseconds delay) {
  std::unique_lock lock(mutex_);
  return !changed_.wait_for(lock, delay, [this] { return stopping_; });
}

bool ScriptedFtpServer::Stopping() const {
  std::lock_guard lock(mutex_);
  return stopping_;
}

void ScriptedFtpServer::AcceptLoop() {
  const auto stop = [this] { return Stopping(); };
  while (!stop()) {
    const int fd = loopback::Accept(listener_, 100ms, stop);
    if (fd < 0) continue;
    std::lock_guard lock(mutex_);
    ++openSessions_;
    sessionThreads_.emplace_back([this, fd] { Serve(fd); });
  }
}

void ScriptedFtpServer::Send(Session& session, const std::string& reply) {
  if (session.peerGone) return;
  session.peerGone =
      !loopback::SendAll(session.control, reply + "\r\n", [this] { return Stopping(); });
}

void ScriptedFtpServer::SendScripted(Session& session, const std::string& reply) {
  const std::string_view hangUp = kHangUp;
  if (reply.size() < hangUp.size() ||
      reply.compare(reply.size() - hangUp.size(), std::string::npos, hangUp) != 0) {
    return Send(session, reply);
  }
  const std::string_view before(reply.data(), reply.size() - hangUp.size());
  if (!session.peerGone && !before.empty()) {
    session.peerGone = !loopback::SendAll(session.control, before, [this] { return Stopping(); });
  }
  session.closing = true;
}

void ScriptedFtpServer::Serve(int fd) {
  {
    Session session;
    session.control = fd;
    std::optional<Refusal> refused;
    std::string greeting;
    {
      std::lock_guard lock(mutex_);
      session.number = ++connections_;
      if (refusals_ > 0) {
        --refusals_;
        refused = refusal_;
      }
      greeting = greeting_;
    }
    Record(session, kConnect);
    if (refused) {
      if (*refused == Refusal::Busy) Send(session, "421 Too many connections");
    } else {
      SendScripted(session, greeting);
      loopback::LineReader reader(session.control);
      while (!session.closing) {
        const auto line = reader.Next([this] { return Stopping(); });
        if (!line) break;
        Record(session, *line);
        const auto blank = line->find(' ');
        const std::string verb = Upper(line->substr(0, blank));
        const std::string argument = blank == std::string::npos ? "" : line->substr(blank + 1);

        std::optional<std::string> reply;
        std::chrono::milliseconds delay{0};
        {
          std::lock_guard lock(mutex_);
          // The verb first, so that an entry for the whole line wins.
          for (const std::string& key : {verb, *line}) {
            if (auto r = replies_.find(key); r != replies_.end()) reply = r->second;
            if (auto d = delays_.find(key); d != delays_.end()) delay = d->second;
          }
        }
        if (delay.count() > 0 && !Pause(delay)) break;
        if (!reply) {
          Answer(session, verb, argument);
        } else {
          SendScripted(session, *reply);
          session.closing = session.closing || verb == "QUIT";
        }
      }
    }
  }
  // The session's sockets are closed by now, so a waiting test sees the connection gone.
  std::lock_guard lock(mutex_);
  --openSessions_;
  changed_.notify_all();
}

void ScriptedFtpServer::Answer(Session& session, const std::string& verb,
                               const std::string& argument) {
  if (verb == "USER") {
    session.user = argument;
    return Send(session, "331 Password required");
  }
  if (verb == "PASS") {
    std::unique_lock lock(mutex_);
    const bool ok = !checkAccount_ || (session.user == user_ && argument == password_);
    lock.unlock();
    return Send(session, ok ? "230 Logged in" : "530 Login incorrect");
  }
  if (verb == "TYPE") return Send(session, "200 Type set to " + argument);
  if (verb == "SYST") return Send(session, "215 UNIX Type: L8");
  if (verb == "NOOP") return Send(session, "200 OK");
  if (verb == "ABOR") return Send(session, "225 No transfer to abort");
  if (verb == "QUIT") {
    Send(session, "221 Goodbye");
    session.closing = true;
    return;
  }
  if (verb == "SIZE") {
    std::unique_lock lock(mutex_);
    const auto file = files_.find(argument);
    const std::string reply =
        file == files_.end() ? "550 No such file" : "213 " + std::to_string(file->second.size());
    lock.unlock();
    return Send(session, reply);
  }
  if (verb == "PASV") {
    loopback::Close(session.pasvListener);
    int port = 0;
    session.pasvListener = loopback::Listen(port);
    if (session.pasvListener < 0) return Send(session, "425 Cannot open a data listener");
    std::unique_lock lock(mutex_);
    const std::string host = pasvHost_;
    lock.unlock();
    return Send(session, "227 Entering Passive Mode (" + host + "," + std::to_string(port / 256) +
                             "," + std::to_string(port % 256) + ")");
  }
  if (verb == "RETR") return Retrieve(session, argument);
  return Send(session, "502 Command not implemented");
}

void ScriptedFtpServer::Retrieve(Session& session, const std::string& path) {
  if (session.pasvListener < 0) return Send(session, "425 Use PASV first");
  std::string content;
  std::vector<std::string> endReplies;
  std::size_t chunk = 0;
  std::chrono::milliseconds pause{0};
  bool found = false;
  {
    std::lock_guard lock(mutex_);
    const auto file = files_.find(path);
    found = file != files_.end();
    if (found) content = file->second;
    if (auto s = shortenings_.find(path); found && s != shortenings_.end() && s->second.times > 0) {
      --s->second.times;
      content.resize(content.size() - std::min(content.size(), s->second.missing));
    }
    endReplies = transferEnd_;
    chunk = paceChunk_;
    pause = paceDelay_;
  }
  if (!found) {
    loopback::Close(session.pasvListener);
    return Send(session, "550 No such file");
  }
  Send(session, "150 Opening BINARY mode data connection");

  const auto stop = [this] { return Stopping(); };
  int data = loopback::Accept(session.pasvListener, kDataAcceptLimit, stop);
  loopback::Close(session.pasvListener);
  if (data < 0) return Send(session, "425 No data connection");
  {
    std::lock_guard lock(mutex_);
    ++dataConnections_;
  }
  std::string_view rest = content;
  bool sent = true;
  while (sent && !rest.empty()) {
    const std::size_t piece = chunk > 0 ? std::min(chunk, rest.size()) : rest.size();
    sent = (pause.count() == 0 || Pause(pause)) &&
           loopback::SendAll(data, rest.substr(0, piece), stop);
    rest.remove_prefix(piece);
  }
  loopback::Close(data);
  if (!sent) return Send(session, "426 Connection closed; transfer aborted");
  for (const auto& reply : endReplies) Send(session, reply);
}

}  // namespace ftptest
