// An FTP server inside the test process that follows a script instead of a file system.
// It listens on 127.0.0.1 on a free port, serves a map of server paths to contents, answers
// every command with a fixed reply unless a test overrides it, and records each command line
// it receives so tests can assert the exact conversation. It stops in its destructor.
//
//   ftptest::ScriptedFtpServer server;
//   server.AddFile("/files/ABC.txt", "hello");
//   server.SetReply("SYST", "502 no");
//   ... client.Port = server.Port(); ...
//   server.WaitUntilIdle();
//   EXPECT_EQ(server.Transcript(), (std::vector<std::string>{"<connect>", "USER u", ...}));
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ftptest {

class ScriptedFtpServer {
 public:
  // Transcript entry for each accepted control connection, refused ones included.
  static constexpr const char* kConnect = "<connect>";
  // A reply that closes the control connection instead of answering. At the end of a longer
  // reply or greeting, the text before it is sent exactly as given (no CRLF added) and then
  // the connection closes: "421 bye" + kHangUp sends a last line without its line end.
  static constexpr const char* kHangUp = "<hang up>";

  enum class Refusal {
    Close,  // accept and close at once, without a greeting
    Busy,   // answer "421 Too many connections" and close
  };

  ScriptedFtpServer();
  ~ScriptedFtpServer();
  ScriptedFtpServer(const ScriptedFtpServer&) = delete;
  ScriptedFtpServer& operator=(const ScriptedFtpServer&) = delete;

  const std::string& Host() const { return host_; }
  int Port() const { return port_; }

  // Serves bytes under path ("/files/ABC.txt"). SIZE reports their length.
  void AddFile(const std::string& path, std::string bytes);

  // Only this account logs in (PASS answered 530 otherwise). Without it any login works.
  void SetAccount(const std::string& user, const std::string& password);

  // Replaces the answer to a command. key is a verb ("SYST") or a whole command line
  // ("SIZE /files/ABC.txt"); a whole line wins over its verb. reply is sent as given, with
  // CRLF added, so "215-a\r\n215 b" is a multi-line reply. kHangUp closes the connection.
  // For PASV, RETR and SIZE the usual action is skipped too (no listener, no data).
  void SetReply(const std::string& key, const std::string& reply);
  void SetGreeting(const std::string& reply);

  // Back to the usual answers: overrides, delays, refusals, PASV host, transfer end and
  // pacing are cleared; files and the transcript stay.
  void ResetScript();

  // Waits this long before answering key (a verb or a whole line, as for SetReply).
  void SetReplyDelay(const std::string& key, std::chrono::milliseconds delay);

  // The first count control connections are refused.
  void RefuseConnections(int count, Refusal how = Refusal::Close);

  // The four host numbers the PASV reply names ("127,0,0,2"); the data listener itself stays
  // on 127.0.0.1. Default "127,0,0,1".
  void SetPasvHost(const std::string& commaSeparated);

  // Replies after the data of a RETR has been sent. Default {"226 Transfer complete"}.
  void SetTransferEnd(std::vector<std::string> replies);

  // The next `times` retrieves of path send all but the last missingBytes bytes.
  void ShortenRetrieves(const std::string& path, std::size_t missingBytes, int times = 1);

  // Sends data in pieces of chunkBytes with a pause before each piece.
  void SetDataPacing(std::size_t chunkBytes, std::chrono::milliseconds delay);

  // Every command line in the order it arrived, with kConnect for each new connection.
  std::vector<std::string> Transcript() const;
  // The command lines of each control connection, in the order the connections came.
  std::vector<std::vector<std::string>> TranscriptByConnection() const;
  int DataConnections() const;

  // Waits until no control connection is open any more, so the transcript is complete.
  // False when one is still open after the timeout.
  bool WaitUntilIdle(std::chrono::milliseconds timeout = std::chrono::seconds(5));

 private:
  struct Session;

  void AcceptLoop();
  void Serve(int fd);
  // The usual answer to a command.
  void Answer(Session& session, const std::string& verb, const std::string& argument);
  void Retrieve(Session& session, const std::string& path);
  // Sends one reply; a client that has gone is only noted, its last commands still count.
  void Send(Session& session, const std::string& reply);
  // Sends a scripted reply or greeting, minding kHangUp.
  void SendScripted(Session& session, const std::string& reply);
  bool Stopping() const;
  void Record(const Session& session, std::string line);
  // Sleeps for delay unless the server stops first. False when stopping.
  bool Pause(std::chrono::milliseconds delay);

  std::string host_ = "127.0.0.1";
  int port_ = 0;
  int listener_ = -1;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool stopping_ = false;
  int openSessions_ = 0;
  int dataConnections_ = 0;
  int connections_ = 0;
  struct Entry {
    int connection;
    std::string line;
  };
  std::vector<Entry> transcript_;

  std::map<std::string, std::string> files_;
  std::map<std::string, std::string> replies_;
  std::map<std::string, std::chrono::milliseconds> delays_;
  struct Shortening {
    std::size_t missing = 0;
    int times = 0;
  };
  std::map<std::string, Shortening> shortenings_;
  std::string greeting_;
  std::string user_;
  std::string password_;
  bool checkAccount_ = false;
  int refusals_ = 0;
  Refusal refusal_ = Refusal::Close;
  std::string pasvHost_;
  std::vector<std::string> transferEnd_;
  std::size_t paceChunk_ = 0;
  std::chrono::milliseconds paceDelay_{0};

  std::thread acceptThread_;
  std::vector<std::thread> sessionThreads_;
};

}  // namespace ftptest
